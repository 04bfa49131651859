#include "platform/win32/file_ops.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "platform/win32/detail/file_access.h"
#include "platform/win32/detail/pending_writes.h"
#include "platform/win32/native_path.h"

BOOL CopyFileW(const char16_t* existingPath, const char16_t* newPath, BOOL failIfExists) {
    win32::detail::FlushPendingProfileWrites();
    const std::string from = win32::NativePath(existingPath);
    const std::string to = win32::NativePath(newPath);
    struct stat status {};
    std::string data;
    if (::stat(from.c_str(), &status) != 0 || S_ISDIR(status.st_mode) ||
        win32::detail::IsDirectory(to) || (failIfExists && win32::detail::Exists(to)) ||
        !win32::detail::ReadWholeFile(from, data)) {
        return FALSE;
    }
    return win32::detail::StoreFile(to, {data}, status.st_mode & 07777) ? TRUE : FALSE;
}

BOOL MoveFileW(const char16_t* existingPath, const char16_t* newPath) {
    win32::detail::FlushPendingProfileWrites();
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
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0 ? TRUE
                                                                                            : FALSE;
}
