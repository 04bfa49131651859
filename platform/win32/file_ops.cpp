#include "platform/win32/file_ops.h"

#include <string>

#include "platform/win32/detail/file_system.h"
#include "platform/win32/file_store.h"
#include "platform/win32/native_path.h"

BOOL CopyFileW(const char16_t* existingPath, const char16_t* newPath, BOOL failIfExists) {
    const std::string from = win32::NativePath(existingPath);
    const std::string to = win32::NativePath(newPath);
    const win32::detail::EntryStatus source = win32::detail::StatEntry(from);
    std::string data;
    if (!source.exists || source.directory || win32::detail::IsDirectory(to) ||
        (failIfExists && win32::detail::Exists(to)) || !win32::detail::ReadWholeFile(from, data)) {
        return FALSE;
    }
    return win32::StoreFile(to, {data}, source.mode) == win32::StoreResult::kStored ? TRUE : FALSE;
}

BOOL MoveFileW(const char16_t* existingPath, const char16_t* newPath) {
    const std::string from = win32::NativePath(existingPath);
    const std::string to = win32::NativePath(newPath);
    if (!win32::detail::Exists(from) || win32::detail::Exists(to) ||
        !win32::detail::MayReplace(to)) {
        return FALSE;
    }
    // Windows renames a read-only file all the same: only its folder is asked.
    if (!win32::detail::MayChangeFolderOf(from)) {
        return FALSE;
    }
    return win32::detail::RenameNoReplace(from, to) ? TRUE : FALSE;
}
