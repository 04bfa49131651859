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
