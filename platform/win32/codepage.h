// Code-page conversion and Chinese script mapping, as Windows does them.
//
// Installed code pages: 936 (GBK), 950 (Big5) and 1252 (Western), on ICU's
// windows-936-2000, windows-950-2000 and windows-1252 tables; CP_ACP (0) is 936.
// Any other code page is not installed: the calls return 0.
#pragma once

#include "platform/win32/win_types.h"

inline constexpr UINT CP_ACP = 0;

inline constexpr DWORD LCMAP_SIMPLIFIED_CHINESE = 0x02000000;
inline constexpr DWORD LCMAP_TRADITIONAL_CHINESE = 0x04000000;

// Decodes byteCount bytes (-1: up to and including the terminating NUL) into UTF-16.
// Returns the number of units written, or with wideCount 0 the number needed.
// Returns 0 for an unknown code page, flags other than 0, a null or empty input, or a
// buffer that is too small. Invalid byte sequences become U+FFFD.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* bytes, int byteCount,
                        char16_t* wide, int wideCount);

// Encodes wideCount units (-1: up to and including the terminator) in the code page,
// with the table's best-fit fallbacks. A character without a form becomes defaultChar
// (null: the code page's own, "?"), and *usedDefault (when given) says whether that
// happened. Returns bytes written, or with byteCount 0 the bytes needed; 0 on failure
// as for MultiByteToWideChar.
int WideCharToMultiByte(UINT codePage, DWORD flags, const char16_t* wide, int wideCount,
                        char* bytes, int byteCount, const char* defaultChar, BOOL* usedDefault);

// Maps GBK text between simplified and traditional characters for the Chinese (PRC)
// locales 0x0804 and 0x20804. flags is exactly one of the two LCMAP_*_CHINESE values.
// srcCount -1 takes the text up to and including its NUL. Returns bytes written, or with
// destCount 0 the bytes needed; 0 for another locale or flag, an empty input or a buffer
// that is too small. A character whose counterpart is not a single GBK character stays.
int LCMapStringA(LCID locale, DWORD flags, const char* src, int srcCount, char* dest,
                 int destCount);

// The same mapping on UTF-16 text: every unit is mapped on its own, and a character
// whose counterpart is not a single GBK character stays.
int LCMapStringW(LCID locale, DWORD flags, const char16_t* src, int srcCount, char16_t* dest,
                 int destCount);
