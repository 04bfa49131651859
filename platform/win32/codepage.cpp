// MultiByteToWideChar, WideCharToMultiByte and LCMapStringA over the lookup tables, and
// UTF-8 (65001) over the one UTF-8 codec of the platform layer.
//
// Known divergence from Windows: only flags 0 are supported.
#include "platform/win32/codepage.h"

#include <string>
#include <string_view>

#include "platform/win32/detail/codepage_tables.h"
#include "platform/win32/native_path.h"

namespace {

using win32::detail::CodePageTable;

// Length of a counted or NUL-terminated (-1: terminator included) input; -1 if invalid.
template <typename Unit>
int InputLength(const Unit* text, int count) {
    if (text == nullptr || count == 0 || count < -1) {
        return -1;
    }
    if (count > 0) {
        return count;
    }
    return static_cast<int>(std::char_traits<Unit>::length(text)) + 1;
}

// Collects output units into the caller's buffer while counting them all: with
// capacity 0 only the count is wanted, and a count above the capacity fails.
template <typename Unit>
class Sink {
  public:
    Sink(Unit* buffer, int capacity)
        : buffer_(capacity > 0 ? buffer : nullptr), capacity_(capacity) {}
    void Put(Unit unit) {
        if (buffer_ != nullptr && count_ < capacity_) {
            buffer_[count_] = unit;
        }
        ++count_;
    }
    int Result() const {
        if (capacity_ == 0) {
            return count_;
        }
        return buffer_ == nullptr || count_ > capacity_ ? 0 : count_;
    }

  private:
    Unit* buffer_;
    int capacity_;
    int count_ = 0;
};

// Calls emit with each UTF-16 unit that the bytes decode to.
template <typename Emit>
void Decode(const CodePageTable& table, const unsigned char* bytes, int length, Emit&& emit) {
    for (int i = 0; i < length; ++i) {
        const unsigned char b = bytes[i];
        if (!table.lead[b]) {
            emit(table.single[b]);
            continue;
        }
        if (i + 1 == length) {
            emit(table.endLead);
            continue;
        }
        const char16_t unit = table.pair[b << 8 | bytes[i + 1]];
        if (unit == CodePageTable::kLoneLead) {
            emit(CodePageTable::kDefaultUnit);
        } else {
            emit(unit);
            ++i;
        }
    }
}

// Puts the bytes of one encodable unit; false when the code page has no form for it.
bool PutEncoded(const CodePageTable& table, char16_t unit, Sink<char>& out) {
    const std::uint16_t code = table.encode[unit];
    if (code == CodePageTable::kUnmapped) {
        return false;
    }
    if (code >= 0x100) {
        out.Put(static_cast<char>(code >> 8));
    }
    out.Put(static_cast<char>(code & 0xFF));
    return true;
}

void PutAll(std::string_view bytes, Sink<char>& out) {
    for (const char c : bytes) {
        out.Put(c);
    }
}

// The caller's default character: one byte, or two when it opens with a lead byte.
std::string_view DefaultBytes(const CodePageTable& table, const char* defaultChar) {
    if (defaultChar == nullptr) {
        return "?";
    }
    const bool pair = table.lead[static_cast<unsigned char>(defaultChar[0])] && defaultChar[1] != 0;
    return std::string_view(defaultChar, pair ? 2 : 1);
}

const CodePageTable* TableForLocale(LCID locale) {
    return locale == 0x0804 || locale == 0x20804 ? win32::detail::FindCodePageTable(936) : nullptr;
}

// The script map for a locale and flag, or null when either is not supported.
const std::vector<char16_t>* ScriptMapFor(LCID locale, DWORD flags) {
    const bool toTraditional = flags == LCMAP_TRADITIONAL_CHINESE;
    if (TableForLocale(locale) == nullptr ||
        (!toTraditional && flags != LCMAP_SIMPLIFIED_CHINESE)) {
        return nullptr;
    }
    return &win32::detail::ChineseScriptMap(toTraditional);
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD flags, const char* bytes, int byteCount,
                        char16_t* wide, int wideCount) {
    const int length = InputLength(bytes, byteCount);
    if (flags != 0 || length < 0) {
        return 0;
    }
    Sink<char16_t> out(wide, wideCount);
    if (codePage == CP_UTF8) {
        for (const char16_t unit : win32::Utf8ToUtf16(std::string_view(bytes, length))) {
            out.Put(unit);
        }
        return out.Result();
    }
    const CodePageTable* table = win32::detail::FindCodePageTable(codePage);
    if (table == nullptr) {
        return 0;
    }
    Decode(*table, reinterpret_cast<const unsigned char*>(bytes), length,
           [&out](char16_t unit) { out.Put(unit); });
    return out.Result();
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* wide, int wideCount,
                        char* bytes, int byteCount, const char* defaultChar, BOOL* usedDefault) {
    const int length = InputLength(wide, wideCount);
    if (flags != 0 || length < 0) {
        return 0;
    }
    Sink<char> out(bytes, byteCount);
    if (codePage == CP_UTF8) {
        if (defaultChar != nullptr || usedDefault != nullptr) {
            return 0;
        }
        PutAll(win32::Utf16ToUtf8(std::u16string_view(wide, length)), out);
        return out.Result();
    }
    const CodePageTable* table = win32::detail::FindCodePageTable(codePage);
    if (table == nullptr) {
        return 0;
    }
    const std::string_view fallback = DefaultBytes(*table, defaultChar);
    bool used = false;
    for (int i = 0; i < length; ++i) {
        // Each unit on its own: a surrogate pair that the code page lacks gives two.
        if (!PutEncoded(*table, wide[i], out)) {
            PutAll(fallback, out);
            used = true;
        }
    }
    if (usedDefault != nullptr) {
        *usedDefault = used ? TRUE : FALSE;
    }
    return out.Result();
}

int LCMapStringA(LCID locale, DWORD flags, const char* src, int srcCount, char* dest,
                 int destCount) {
    const std::vector<char16_t>* map = ScriptMapFor(locale, flags);
    const int length = InputLength(src, srcCount);
    if (map == nullptr || length < 0) {
        return 0;
    }
    const CodePageTable& table = *TableForLocale(locale);
    Sink<char> out(dest, destCount);
    Decode(table, reinterpret_cast<const unsigned char*>(src), length, [&](char16_t unit) {
        if (!PutEncoded(table, (*map)[unit], out)) {
            PutAll("?", out);
        }
    });
    return out.Result();
}

int LCMapStringW(LCID locale, DWORD flags, const char16_t* src, int srcCount, char16_t* dest,
                 int destCount) {
    const std::vector<char16_t>* map = ScriptMapFor(locale, flags);
    const int length = InputLength(src, srcCount);
    if (map == nullptr || length < 0) {
        return 0;
    }
    Sink<char16_t> out(dest, destCount);
    for (int i = 0; i < length; ++i) {
        out.Put((*map)[src[i]]);
    }
    return out.Result();
}
