#include <stdio.h>
#include <sys/stat.h>

#include <string>

#include "platform/win32/detail/file_access.h"
#include "platform/win32/detail/pending_writes.h"
#include "platform/win32/file_ops.h"
#include "platform/win32/native_path.h"

BOOL ReplaceFileW(const char16_t* replacedPath, const char16_t* replacementPath,
                  const char16_t* backupPath, DWORD flags, void*, void*) {
    win32::detail::FlushPendingProfileWrites();
    const std::string replaced = win32::NativePath(replacedPath);
    const std::string replacement = win32::NativePath(replacementPath);
    struct stat status {};
    if (backupPath != nullptr || flags != 0 || ::stat(replaced.c_str(), &status) != 0 ||
        S_ISDIR(status.st_mode) || !win32::detail::Exists(replacement) ||
        !win32::detail::MayReplace(replaced)) {
        return FALSE;
    }
    if (::chmod(replacement.c_str(), status.st_mode & 07777) != 0) {
        return FALSE;
    }
    return ::rename(replacement.c_str(), replaced.c_str()) == 0 ? TRUE : FALSE;
}
