// Conversions between UTF-16 and the narrow code pages.
#pragma once

#include <string>

// The NUL-terminated bytes decoded from the code page (0: the ANSI code page). The empty
// text when the code page is not installed; invalid bytes become replacement characters.
std::u16string MultiByteToWString(const char* bytes, int codePage);

// The NUL-terminated text in GBK, left NUL-terminated in buffer (size bytes), after one
// leading byte-order mark is skipped. Characters without a GBK form become "?". A text
// that is empty or does not fit in size - 1 bytes leaves the buffer all zero.
char* WideToGbk(const char16_t* text, int size, char* buffer);
