// Conversions between UTF-16 and the narrow code pages.
#pragma once

#include <string>
#include <string_view>

// The NUL-terminated bytes decoded from the code page (0: the ANSI code page). The empty
// text when the code page is not installed; invalid bytes become replacement characters.
std::u16string MultiByteToWString(const char* bytes, int codePage);

// A wide path as the narrow file calls take it: its GBK form through a 1024-byte buffer,
// empty when it does not fit.
std::string GbkPath(const std::u16string& path);

// ASCII text (digits, keys) as wide text.
std::u16string WidenAscii(std::string_view text);

// The NUL-terminated text in GBK, left NUL-terminated in buffer (size bytes), after one
// leading byte-order mark is skipped. Characters without a GBK form become "?". A text
// that is empty or does not fit in size - 1 bytes leaves the buffer all zero.
char* WideToGbk(const char16_t* text, int size, char* buffer);
