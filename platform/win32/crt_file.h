// The C runtime's stream calls, as the Windows runtime library behaves.
//
// Paths are Windows-style (see native_path.h). Modes: "r", "w", "a" with optional "+",
// then "b" (binary) or "t"/nothing (text), then optionally ",ccs=UNICODE".
// - Narrow text mode: reading turns CR LF into LF and ends at the byte 0x1A (Ctrl-Z);
//   writing turns LF into CR LF.
// - ",ccs=UNICODE" (wide text mode): fread/fwrite and fgetws move UTF-16 units; CR LF
//   is read as LF and LF written as CR LF. Opening for reading looks at the file's mark:
//   FF FE is skipped and the rest is UTF-16LE, EF BB BF is skipped and the rest is UTF-8,
//   FE FF makes the open fail, no mark reads one byte per character. "a+" writes no mark
//   of its own and appends UTF-16LE (UTF-8 after an existing UTF-8 mark).
// A folder cannot be opened as a file; a file opens for writing when the store would
// take it (file_store.h). A "w" stream gives its file all its bytes at once through the
// store when it is closed, so a kill or a failed write leaves the old file whole, and
// fclose reports whether the new bytes were stored; until then the file is unchanged
// and reads of the stream find nothing. "r+" and "a" streams, and "w" streams of a device
// or a pipe, write into the file.
#pragma once

#include <cstddef>

namespace crt {

struct FILE;

FILE* fopen(const char* path, const char* mode);
FILE* _wfopen(const char16_t* path, const char16_t* mode);
// 0 and *file set on success; else an errno value and *file null.
int _wfopen_s(FILE** file, const char16_t* path, const char16_t* mode);

// Returns the count of whole elements moved; fewer on end of file or error.
size_t fread(void* buffer, size_t size, size_t count, FILE* file);
size_t fwrite(const void* buffer, size_t size, size_t count, FILE* file);

// Reads up to count - 1 units, through the first LF (kept), and NUL-terminates them.
// Null when nothing could be read.
char16_t* fgetws(char16_t* buffer, int count, FILE* file);

// Non-zero when a read or write of the stream has failed.
int ferror(FILE* file);

// Writes what is buffered and releases the stream; 0, or -1 when a write failed.
int fclose(FILE* file);

}  // namespace crt
