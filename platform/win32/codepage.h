// Code-page conversion and Chinese script mapping, as Windows does them.
//
// Installed code pages: UTF-8 (65001), and every single- or double-byte Windows code page
// that ICU has under its Windows name ("windows-<number>"): among them 437, 720, 737, 775,
// 850, 852, 855, 857, 858, 861, 862, 866, 869, 874, 932, 936, 949, 950, 1250 to 1258,
// the Mac code pages 10000, 10006, 10007, 10029 and 10081, 20127, 20866, 21866, 28592 to
// 28599, 28603, 28605 and 51949. 936 is windows-936-2000 and 950 windows-950-2000. Each
// table is built on its first use. CP_ACP (0) is 936. Any other code page is not
// installed (the calls return 0); ICU's stateful and four-byte ones are among those
// (UTF-7 65000, GB18030 54936, ISCII 57002 to 57011).
//
// Best fit follows ICU's tables, which carry Windows' fallbacks for 936 and 950 but not
// those of 1252 (U+0100 is "?" there, not Windows' "A").
#pragma once

#include "platform/win32/win_types.h"

inline constexpr UINT CP_ACP = 0;
inline constexpr UINT CP_UTF8 = 65001;

inline constexpr DWORD LCMAP_SIMPLIFIED_CHINESE = 0x02000000;
inline constexpr DWORD LCMAP_TRADITIONAL_CHINESE = 0x04000000;

// Decodes byteCount bytes (-1: up to and including the terminating NUL) into UTF-16.
// Returns the number of units written, or with wideCount 0 the number needed.
// Returns 0 for an unknown code page, flags other than 0, a null or empty input, or a
// buffer that is too small. Bytes that do not decode give the default character U+003F:
// a byte the code page does not assign, an unassigned pair (one U+003F for both), a lead
// byte at the end (in 932 its default character U+30FB) or before a byte that cannot
// trail it. That byte is then decoded afresh, except in 936 and 950, where a lead byte
// takes any byte but NUL with it as one unassigned pair. In UTF-8 an invalid sequence gives U+FFFD
// for each longest start of a valid sequence that breaks off and for each other stray byte: C0 80
// gives two, a surrogate's ED A0 80 three, a cut-off E6 B1 one.
int MultiByteToWideChar(UINT codePage, DWORD flags, const char* bytes, int byteCount,
                        char16_t* wide, int wideCount);

// Encodes wideCount units (-1: up to and including the terminator) in the code page,
// with the table's best-fit fallbacks. Each unit without a form (each half of a surrogate
// pair on its own) becomes defaultChar: its first byte, or its first two when that is a
// lead byte of the code page; null gives the code page's own, "?". *usedDefault (when
// given) says whether that happened. UTF-8 encodes every unit, a lone surrogate as U+FFFD
// (EF BF BD), and fails with a defaultChar or usedDefault given. Returns bytes written, or
// with byteCount 0 the bytes needed; 0 on failure as for MultiByteToWideChar.
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
