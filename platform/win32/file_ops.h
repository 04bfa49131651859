// CopyFileW and MoveFileW, as Windows behaves. Paths are Windows-style (native_path.h);
// writes follow the store (file_store.h).
#pragma once

#include "platform/win32/win_types.h"

// Copies the file's bytes and permission bits. The destination is stored as the store
// does it (file_store.h): it holds its old bytes or the whole copy. With failIfExists an existing
// destination makes the call fail. TRUE on success.
BOOL CopyFileW(const char16_t* existingPath, const char16_t* newPath, BOOL failIfExists);

// Renames a file or folder; fails when the destination exists. TRUE on success.
BOOL MoveFileW(const char16_t* existingPath, const char16_t* newPath);

// Puts the replacement file in the place of the replaced one (written through a link) in
// one atomic rename, synced; the result keeps the replaced file's permission bits and
// owner. Fails (and changes nothing) when
// the replaced file is missing or read-only. backup must be null and flags 0.
BOOL ReplaceFileW(const char16_t* replacedPath, const char16_t* replacementPath,
                  const char16_t* backupPath, DWORD flags, void* exclude, void* reserved);
