#include "platform/win32/profile.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/win32/detail/profile_document.h"
#include "platform/win32/detail/profile_files.h"
#include "platform/win32/detail/profile_line.h"
#include "platform/win32/native_path.h"

namespace {

// The native form of the path. The last one is remembered: callers ask one file many
// times in a row.
const std::string& NativeProfilePath(const char16_t* fileName) {
    thread_local std::u16string lastPath;
    thread_local std::string lastNative;
    if (lastPath != fileName) {
        lastPath = fileName;
        lastNative = win32::NativePath(fileName);
    }
    return lastNative;
}

// The value, or the default with its trailing blanks removed (null: empty), into value.
void ValueOrDefault(const char16_t* section, const char16_t* key, const char16_t* defaultValue,
                    const char16_t* fileName, std::u16string& value) {
    if (section != nullptr && key != nullptr && fileName != nullptr &&
        win32::detail::ReadProfileValue(NativeProfilePath(fileName), section, key, value)) {
        return;
    }
    std::u16string_view fallback = defaultValue != nullptr ? defaultValue : u"";
    value.assign(fallback.substr(0, fallback.find_last_not_of(u' ') + 1));
}

// One buffer for the values of a thread's calls: a run of lookups allocates nothing.
std::u16string& ValueBuffer() {
    thread_local std::u16string value;
    return value;
}

std::optional<std::u16string> FromGbk(const char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    return win32::AnsiToWide(text);
}

// The longest start of the GBK text within `limit` bytes that cuts no character in two.
size_t GbkPrefixLength(std::string_view bytes, size_t limit) {
    size_t length = 0;
    while (length < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[length]);
        const size_t width = lead >= 0x81 && lead <= 0xFE && length + 1 < bytes.size() ? 2 : 1;
        if (length + width > limit) {
            break;
        }
        length += width;
    }
    return length;
}

const char16_t* PointerOf(const std::optional<std::u16string>& text) {
    return text ? text->c_str() : nullptr;
}

int DigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

// The base that a lower-case prefix "0x", "0o" or "0b" names; 10 without one.
UINT BaseOfPrefix(std::u16string_view digits) {
    if (digits.size() < 2 || digits[0] != u'0') {
        return 10;
    }
    switch (digits[1]) {
        case u'x':
            return 16;
        case u'o':
            return 8;
        case u'b':
            return 2;
        default:
            return 10;
    }
}

// Leading blanks, a sign, then digits in the base of the prefix; wraps like UINT.
UINT ParseProfileInt(std::u16string_view text) {
    size_t i = 0;
    while (i < text.size() && win32::detail::IsBlank(text[i])) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == u'-';
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        ++i;
    }
    const UINT base = BaseOfPrefix(text.substr(i));
    if (base != 10) {
        i += 2;
    }
    UINT result = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit < 0 || static_cast<UINT>(digit) >= base) {
            break;
        }
        result = result * base + static_cast<UINT>(digit);
    }
    return negative ? 0u - result : result;
}

}  // namespace

// Windows: copies the value of the first matching key of the first matching section (or
// the default, trailing blanks removed) and returns the units copied, at most size - 1.
// Diverges: a null section or key gives the default instead of the list of section or
// key names; a path without folder names a file in the current directory, not in the
// Windows folder.
DWORD GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                               const char16_t* defaultValue, char16_t* buffer, DWORD size,
                               const char16_t* fileName) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    std::u16string& value = ValueBuffer();
    ValueOrDefault(section, key, defaultValue, fileName, value);
    const size_t count = std::min<size_t>(value.size(), size - 1);
    std::copy_n(value.begin(), count, buffer);
    buffer[count] = u'\0';
    return static_cast<DWORD>(count);
}

// Windows: the W form with every argument converted from the ANSI code page (936); the
// result converted back and cut to size - 1 bytes, never inside a double-byte character.
// Diverges as the W form.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName) {
    if (buffer == nullptr || size == 0) {
        return 0;
    }
    const std::optional<std::u16string> wideSection = FromGbk(section);
    const std::optional<std::u16string> wideKey = FromGbk(key);
    const std::optional<std::u16string> wideDefault = FromGbk(defaultValue);
    const std::optional<std::u16string> wideFile = FromGbk(fileName);
    std::u16string& wideValue = ValueBuffer();
    ValueOrDefault(PointerOf(wideSection), PointerOf(wideKey), PointerOf(wideDefault),
                   PointerOf(wideFile), wideValue);
    const std::string value = win32::WideToAnsi(wideValue);
    const size_t count = GbkPrefixLength(value, size - 1);
    std::memcpy(buffer, value.data(), count);
    buffer[count] = '\0';
    return static_cast<DWORD>(count);
}

// Windows: the value read as a signed number, decimal or with a lower-case "0x", "0o" or
// "0b" prefix, up to the first other character (0 without digits), returned as UINT; the
// default when the key is missing or its value is empty. Diverges: null arguments give
// the default.
UINT GetPrivateProfileIntW(const char16_t* section, const char16_t* key, int defaultValue,
                           const char16_t* fileName) {
    if (section == nullptr || key == nullptr || fileName == nullptr) {
        return static_cast<UINT>(defaultValue);
    }
    std::u16string& value = ValueBuffer();
    if (!win32::detail::ReadProfileValue(NativeProfilePath(fileName), section, key, value) ||
        value.empty()) {
        return static_cast<UINT>(defaultValue);
    }
    return ParseProfileInt(value);
}

// Windows: replaces the first matching key in place or adds it after the last key line
// of the first matching section, or adds the section at the end; keeps the file's
// encoding and every other line. Diverges: a null section, key or value (Windows: flush
// the cache, delete the section, delete the key) changes nothing and returns FALSE.
BOOL WritePrivateProfileStringW(const char16_t* section, const char16_t* key, const char16_t* value,
                                const char16_t* fileName) {
    if (section == nullptr || key == nullptr || value == nullptr || fileName == nullptr) {
        return FALSE;
    }
    return win32::detail::WriteProfileValue(NativeProfilePath(fileName), section, key, value)
               ? TRUE
               : FALSE;
}

namespace {

// The faults that values and keys share.
ProfileTextFault LineFault(std::u16string_view text) {
    if (text.find_first_of(u"\r\n") != std::u16string_view::npos) {
        return ProfileTextFault::kLineBreak;
    }
    if (!text.empty() &&
        (win32::detail::IsBlank(text.front()) || win32::detail::IsBlank(text.back()))) {
        return ProfileTextFault::kBlankEnd;
    }
    return ProfileTextFault::kNone;
}

}  // namespace

ProfileTextFault ValueFault(std::u16string_view value) {
    const ProfileTextFault fault = LineFault(value);
    if (fault == ProfileTextFault::kNone && win32::detail::IsQuoted(value)) {
        return ProfileTextFault::kQuoted;
    }
    return fault;
}

ProfileTextFault KeyFault(std::u16string_view key) {
    if (key.find(u'=') != std::u16string_view::npos) {
        return ProfileTextFault::kEqualsSign;
    }
    if (key.starts_with(u'[')) {
        return ProfileTextFault::kHeaderStart;
    }
    return LineFault(key);
}

std::string ProfileBytesAfterWrite(std::string bytes, const char16_t* section, const char16_t* key,
                                   const char16_t* value) {
    win32::detail::ProfileDocument document(std::move(bytes));
    document.Set(section, key, value);
    std::string after;
    for (const std::string_view piece : document.Pieces()) {
        after += piece;
    }
    return after;
}

ProfileWriteBatch::ProfileWriteBatch() : open_(win32::detail::BeginProfileWriteBatch()) {}

ProfileWriteBatch::~ProfileWriteBatch() {
    Flush();
}

bool ProfileWriteBatch::Flush() {
    return !std::exchange(open_, false) || win32::detail::EndProfileWriteBatch();
}

ProfileReadScope::ProfileReadScope() {
    win32::detail::BeginProfileReadScope();
}

ProfileReadScope::~ProfileReadScope() {
    win32::detail::EndProfileReadScope();
}
