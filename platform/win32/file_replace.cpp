#include <string>

#include "platform/win32/detail/file_system.h"
#include "platform/win32/file_ops.h"
#include "platform/win32/file_store.h"
#include "platform/win32/native_path.h"

BOOL ReplaceFileW(const char16_t* replacedPath, const char16_t* replacementPath,
                  const char16_t* backupPath, DWORD flags, void*, void*) {
    const std::string replaced = win32::NativePath(replacedPath);
    const std::string replacement = win32::NativePath(replacementPath);
    const win32::detail::EntryStatus target = win32::detail::StatEntry(replaced);
    if (backupPath != nullptr || flags != 0 || !target.exists || target.directory ||
        !win32::detail::Exists(replacement) || !win32::MayStore(replaced) ||
        !win32::detail::MayReplace(replaced)) {
        return FALSE;
    }
    return win32::PutInPlace(replacement, replaced) == win32::StoreResult::kStored ? TRUE : FALSE;
}
