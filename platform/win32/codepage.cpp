// MultiByteToWideChar, WideCharToMultiByte and LCMapStringA over the lookup tables.
//
// Known divergence from Windows: only flags 0 are supported.
#include "platform/win32/codepage.h"

#include <cstring>
#include <string>
#include <string_view>

#include "platform/win32/detail/codepage_tables.h"

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
        const char16_t unit =
            i + 1 < length ? table.pair[b << 8 | bytes[i + 1]] : CodePageTable::kLoneLead;
        if (unit == CodePageTable::kLoneLead) {
            emit(u'\uFFFD');
        } else {
            emit(unit);
            ++i;
        }
    }
}

bool IsHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool IsLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
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

void PutDefault(const std::string_view defaultChar, Sink<char>& out) {
    for (const char c : defaultChar) {
        out.Put(c);
    }
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
    const CodePageTable* table = win32::detail::FindCodePageTable(codePage);
    const int length = InputLength(bytes, byteCount);
    if (table == nullptr || flags != 0 || length < 0) {
        return 0;
    }
    Sink<char16_t> out(wide, wideCount);
    Decode(*table, reinterpret_cast<const unsigned char*>(bytes), length,
           [&out](char16_t unit) { out.Put(unit); });
    return out.Result();
}

int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* wide, int wideCount,
                        char* bytes, int byteCount, const char* defaultChar, BOOL* usedDefault) {
    const CodePageTable* table = win32::detail::FindCodePageTable(codePage);
    const int length = InputLength(wide, wideCount);
    if (table == nullptr || flags != 0 || length < 0) {
        return 0;
    }
    const std::string_view fallback =
        defaultChar != nullptr ? std::string_view(defaultChar, strnlen(defaultChar, 2)) : "?";
    Sink<char> out(bytes, byteCount);
    bool used = false;
    for (int i = 0; i < length; ++i) {
        if (!PutEncoded(*table, wide[i], out)) {
            // A surrogate pair is one character and gets one default character.
            if (IsHighSurrogate(wide[i]) && i + 1 < length && IsLowSurrogate(wide[i + 1])) {
                ++i;
            }
            PutDefault(fallback, out);
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
            PutDefault("?", out);
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
