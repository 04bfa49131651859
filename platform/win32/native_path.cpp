#include "platform/win32/native_path.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "platform/win32/codepage.h"

namespace win32 {
namespace {

bool IsAscii(std::string_view bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char b) { return static_cast<unsigned char>(b) < 0x80; });
}

bool IsAscii(std::u16string_view text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        out.push_back(static_cast<char>(0xC0 | c >> 6));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | c >> 12));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | c >> 18));
        out.push_back(static_cast<char>(0x80 | (c >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

void AppendUtf16(std::u16string& out, char32_t c) {
    if (c < 0x10000) {
        out.push_back(static_cast<char16_t>(c));
    } else {
        c -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 | c >> 10));
        out.push_back(static_cast<char16_t>(0xDC00 | (c & 0x3FF)));
    }
}

// Length of the UTF-8 sequence led by b, or 0 for a byte that leads none.
int SequenceLength(unsigned char b) {
    if (b < 0x80)
        return 1;
    if (b >= 0xC2 && b <= 0xDF)
        return 2;
    if (b >= 0xE0 && b <= 0xEF)
        return 3;
    if (b >= 0xF0 && b <= 0xF4)
        return 4;
    return 0;
}

// Whether t may stand at position k (from 1) of a sequence led by b. The narrower second
// bytes after E0, ED, F0 and F4 keep out overlong forms, surrogates and code points above
// U+10FFFF.
bool MayContinue(unsigned char b, int k, unsigned char t) {
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (k == 1) {
        low = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
        high = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
    }
    return t >= low && t <= high;
}

}  // namespace

std::u16string AnsiToWide(std::string_view text) {
    if (IsAscii(text)) {
        return std::u16string(text.begin(), text.end());
    }
    const int size = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::u16string wide(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), n);
    return wide;
}

std::string WideToAnsi(std::u16string_view text) {
    if (IsAscii(text)) {
        return std::string(text.begin(), text.end());
    }
    const int size = static_cast<int>(text.size());
    const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, text.data(), size, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

std::string Utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

// A sequence that breaks off gives one U+FFFD for the bytes up to the break, and the
// byte at the break is read afresh.
std::u16string Utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<unsigned char>(text[i]);
        const int n = SequenceLength(b);
        char32_t c = n == 1 ? b : b & (0x7F >> n);
        size_t taken = 1;
        for (; n > 1 && taken < static_cast<size_t>(n) && i + taken < text.size(); ++taken) {
            const auto t = static_cast<unsigned char>(text[i + taken]);
            if (!MayContinue(b, static_cast<int>(taken), t)) {
                break;
            }
            c = c << 6 | (t & 0x3F);
        }
        AppendUtf16(out, n > 0 && taken == static_cast<size_t>(n) ? c : U'\uFFFD');
        i += taken;
    }
    return out;
}

std::string NativePath(const char16_t* widePath) {
    std::u16string path(widePath);
    std::replace(path.begin(), path.end(), u'\\', u'/');
    return Utf16ToUtf8(path);
}

std::string NativePath(const char* ansiPath) {
    return NativePath(AnsiToWide(ansiPath).c_str());
}

std::string NativeNameToAnsi(std::string_view nativeName) {
    return WideToAnsi(Utf8ToUtf16(nativeName));
}

std::u16string NativePathToWide(std::string_view nativePath) {
    std::u16string wide = Utf8ToUtf16(nativePath);
    std::replace(wide.begin(), wide.end(), u'/', u'\\');
    return wide;
}

void AppendUtf16Le(std::u16string_view text, std::string& bytes) {
    const size_t start = bytes.size();
    bytes.resize(start + 2 * text.size());
    char* out = bytes.data() + start;
    for (const char16_t unit : text) {
        *out++ = static_cast<char>(unit & 0xFF);
        *out++ = static_cast<char>(unit >> 8);
    }
}

void DecodeUtf16Le(std::string_view bytes, std::u16string& text) {
    text.resize(bytes.size() / 2);
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(text.data(), bytes.data(), 2 * text.size());
    } else {
        for (size_t i = 0; i < text.size(); ++i) {
            text[i] = Utf16LeUnit(bytes[2 * i], bytes[2 * i + 1]);
        }
    }
}

}  // namespace win32
