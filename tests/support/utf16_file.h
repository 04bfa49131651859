// Test helper: the bytes of a UTF-16LE file with its mark.
#pragma once

#include <string>

namespace tw_test {

inline std::string Utf16LeBytes(const std::u16string& text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

inline std::string Utf16LeFile(const std::u16string& text) {
    return "\xFF\xFE" + Utf16LeBytes(text);
}

}  // namespace tw_test
