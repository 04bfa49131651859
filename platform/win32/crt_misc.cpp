#include "platform/win32/crt_misc.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <string>
#include <string_view>

#include "platform/win32/detail/file_access.h"
#include "platform/win32/detail/fixed_time.h"
#include "platform/win32/detail/pending_writes.h"
#include "platform/win32/native_path.h"

namespace crt {
namespace {

int Access(const std::string& nativePath, int mode) {
    if (!win32::detail::ProfileBatchHolds(nativePath) && !win32::detail::Exists(nativePath)) {
        errno = ENOENT;
        return -1;
    }
    if ((mode & 2) != 0 && !win32::detail::MayWrite(nativePath)) {
        return -1;
    }
    return 0;
}

}  // namespace

int _access(const char* path, int mode) {
    return Access(win32::NativePath(path), mode);
}

int _waccess(const char16_t* path, int mode) {
    return Access(win32::NativePath(path), mode);
}

int _unlink(const char* path) {
    win32::detail::FlushPendingProfileWrites();
    const std::string native = win32::NativePath(path);
    if (win32::detail::IsDirectory(native)) {
        errno = EACCES;
        return -1;
    }
    if (!win32::detail::MayReplace(native)) {
        return -1;
    }
    return ::unlink(native.c_str()) == 0 ? 0 : -1;
}

int _stat(const char* path, StatRecord* status) {
    win32::detail::FlushPendingProfileWrites();
    struct stat native {};
    if (::stat(win32::NativePath(path).c_str(), &native) != 0) {
        return -1;
    }
    status->st_mode = S_ISDIR(native.st_mode) ? _S_IFDIR : _S_IFREG;
    status->st_size = native.st_size;
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
    return ::chdir(win32::NativePath(path).c_str()) == 0 ? 0 : -1;
}

}  // namespace crt

std::optional<std::int64_t>& win32::detail::FixedTime64() {
    static std::optional<std::int64_t> fixed;
    return fixed;
}
