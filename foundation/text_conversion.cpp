#include "foundation/text_conversion.h"

#include <cstring>
#include <vector>

#include "platform/win32/codepage.h"

std::u16string MultiByteToWString(const char* bytes, int codePage) {
    const auto page = static_cast<UINT>(codePage);
    const int n = MultiByteToWideChar(page, 0, bytes, -1, nullptr, 0);
    if (n == 0) {
        return std::u16string();
    }
    std::vector<char16_t> units(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(page, 0, bytes, -1, units.data(), n);
    return std::u16string(units.data());
}

char* WideToGbk(const char16_t* text, int size, char* buffer) {
    if (size <= 0) {
        return buffer;
    }
    std::memset(buffer, 0, static_cast<size_t>(size));
    if (text[0] == u'\uFEFF') {
        ++text;
    }
    const int length = static_cast<int>(std::char_traits<char16_t>::length(text));
    if (length == 0) {
        return buffer;
    }
    const int needed = WideCharToMultiByte(936, 0, text, length, nullptr, 0, "?", nullptr);
    if (needed > 0 && needed <= size - 1) {
        WideCharToMultiByte(936, 0, text, length, buffer, needed, "?", nullptr);
    }
    return buffer;
}

std::string GbkPath(const std::u16string& path) {
    char buffer[1024];
    return WideToGbk(path.c_str(), sizeof buffer, buffer);
}

std::u16string WidenAscii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}
