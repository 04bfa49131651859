// The Windows profile (INI) file calls, with Windows semantics.
//
// Reading: section and key names match without regard to the case of A to Z only;
// blanks and tabs around names and values are trimmed, then one matching pair of '"' or
// '\'' around the value is removed; ';' lines are comments; a line without '=' is no
// key; a header is "[name]", trimmed, anything after ']' ignored; lines before the first
// header form a nameless section; of two equal sections only the first counts, of two
// equal keys the first. The file's encoding follows its mark: FF FE UTF-16LE, EF BB BF
// UTF-8, otherwise code page 936.
//
// Writing keeps every other line byte for byte and the file's encoding; a missing or
// empty file is created in code page 936. Lines end in CR LF. The whole file is replaced
// atomically, so a failure leaves the old file as it was.
//
// Paths are Windows-style (native_path.h). A file is parsed once and kept indexed; one
// stat per call tells whether it changed on disk since.
#pragma once

#include "platform/win32/win_types.h"

// Copies the value (or defaultValue when the file or key is missing; its trailing blanks
// trimmed) into buffer: at most size - 1 units and a NUL. Returns the units copied.
DWORD GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                               const char16_t* defaultValue, char16_t* buffer, DWORD size,
                               const char16_t* fileName);

// The same with GBK (code page 936) names, value and path; size counts bytes.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName);

// The value read as an integer: leading blanks, an optional sign, then decimal digits or
// "0x" and hex digits, up to the first other character; no digits give 0. defaultValue
// when the key is missing. The result is the value as UINT, wrapping.
UINT GetPrivateProfileIntW(const char16_t* section, const char16_t* key, int defaultValue,
                           const char16_t* fileName);

// Sets key = value in section (key and value trimmed of blanks): an existing key is
// replaced in place, a new key goes after the last key line of its section, a new section
// at the end of the file. TRUE when the file was written (inside a batch: when the write
// was taken in; the batch reports the flush).
BOOL WritePrivateProfileStringW(const char16_t* section, const char16_t* key,
                                const char16_t* value, const char16_t* fileName);

// Holds profile writes in memory from construction to Flush() or destruction, then
// writes each changed file once. Batches do not nest. Every other call of the platform
// layer that touches files flushes the held writes first, so no reader sees stale data.
class ProfileWriteBatch {
public:
    ProfileWriteBatch();
    ~ProfileWriteBatch();
    ProfileWriteBatch(const ProfileWriteBatch&) = delete;
    ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;

    // Writes the held changes and ends the batch; false when a file could not be written.
    bool Flush();
};
