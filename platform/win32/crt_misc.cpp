#include "platform/win32/crt_misc.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <string>
#include <string_view>

#include "platform/win32/detail/file_system.h"
#include "platform/win32/detail/fixed_time.h"
#include "platform/win32/file_store.h"
#include "platform/win32/native_path.h"

namespace crt {
namespace {

int Refused(int error) {
    win32::detail::Refuse(error);
    return -1;
}

// Mode 2 answers what a write of the entry would do: a file may be written when the
// store would take it, a folder when it is not read-only; a missing file may be written
// when its folder takes the new entry.
int Access(const std::string& nativePath, int mode) {
    if (!win32::detail::Exists(nativePath)) {
        return mode == 2 && win32::MayStore(nativePath) ? 0 : Refused(ENOENT);
    }
    if ((mode & 2) == 0) {
        return 0;
    }
    if (win32::detail::IsDirectory(nativePath)) {
        return win32::detail::IsReadOnly(nativePath) ? Refused(EACCES) : 0;
    }
    return win32::MayStore(nativePath) ? 0 : -1;
}

}  // namespace

// Windows: 0 when the entry exists and allows the access, else -1 with errno ENOENT or
// EACCES. Diverges: mode 2 of a missing file answers whether it may be created.
int _access(const char* path, int mode) {
    return Access(win32::NativePath(path), mode);
}

int _waccess(const char16_t* path, int mode) {
    return Access(win32::NativePath(path), mode);
}

int _unlink(const char* path) {
    const std::string native = win32::NativePath(path);
    if (win32::detail::IsDirectory(native)) {
        return Refused(EACCES);
    }
    return win32::detail::MayReplace(native) && win32::detail::RemoveFile(native) ? 0 : -1;
}

int _stat(const char* path, StatRecord* status) {
    const win32::detail::EntryStatus native = win32::detail::StatEntry(win32::NativePath(path));
    if (!native.exists) {
        return -1;
    }
    status->st_mode = native.directory ? _S_IFDIR : _S_IFREG;
    status->st_size = native.size;
    return 0;
}

long _wtol(const char16_t* text) {
    const std::u16string_view digits(text);
    size_t i = digits.find_first_not_of(u" \t\n\v\f\r");
    if (i == std::u16string_view::npos) {
        return 0;
    }
    const bool negative = digits[i] == u'-';
    if (digits[i] == u'-' || digits[i] == u'+') {
        ++i;
    }
    constexpr std::int64_t kLimit = std::int64_t{1} << 31;
    std::int64_t value = 0;
    for (; i < digits.size() && digits[i] >= u'0' && digits[i] <= u'9'; ++i) {
        value = std::min<std::int64_t>(value * 10 + (digits[i] - u'0'), kLimit);
    }
    return static_cast<long>(negative ? -value : std::min(value, kLimit - 1));
}

std::int64_t _time64(std::int64_t* time) {
    const std::int64_t now = win32::detail::FixedTime64().value_or(::time(nullptr));
    if (time != nullptr) {
        *time = now;
    }
    return now;
}

int _wchdir(const char16_t* path) {
    return win32::detail::ChangeFolder(win32::NativePath(path)) ? 0 : -1;
}

}  // namespace crt

std::optional<std::int64_t>& win32::detail::FixedTime64() {
    static std::optional<std::int64_t> fixed;
    return fixed;
}
