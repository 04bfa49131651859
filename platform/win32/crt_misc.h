// The C runtime's file-system calls, as the Windows runtime library behaves. Paths are
// Windows-style (native_path.h); writes follow the store (file_store.h).
#pragma once

#include <cstdint>

namespace crt {

inline constexpr unsigned short _S_IFMT = 0xF000;
inline constexpr unsigned short _S_IFDIR = 0x4000;
inline constexpr unsigned short _S_IFREG = 0x8000;

struct StatRecord {
    unsigned short st_mode = 0;  // _S_IFDIR or _S_IFREG
    std::int64_t st_size = 0;
};

// Mode 0: does the entry exist; 2: may it be written; 4: read; 6: both. 0 if so, else -1.
int _access(const char* path, int mode);
int _waccess(const char16_t* path, int mode);

// Deletes a file: 0, or -1 (missing, a folder, read-only).
int _unlink(const char* path);

// 0 and a filled record, or -1 when the entry cannot be queried.
int _stat(const char* path, StatRecord* status);

// Decimal text as Windows' 32-bit long: leading white space, an optional sign, then
// digits up to the first other character; 0 when there are none, the nearest bound of
// the 32-bit range when the value does not fit.
long _wtol(const char16_t* text);

// Seconds since 1970, also stored through time when it is not null.
std::int64_t _time64(std::int64_t* time);

// Makes the folder the current directory: 0, or -1 and nothing changes.
int _wchdir(const char16_t* path);

}  // namespace crt
