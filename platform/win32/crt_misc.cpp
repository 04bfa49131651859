#include "platform/win32/crt_misc.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <string>

#include "platform/win32/detail/file_access.h"
#include "platform/win32/native_path.h"

namespace crt {
namespace {

int Access(const std::string& nativePath, int mode) {
    if (!win32::detail::Exists(nativePath)) {
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
    struct stat native {};
    if (::stat(win32::NativePath(path).c_str(), &native) != 0) {
        return -1;
    }
    status->st_mode = S_ISDIR(native.st_mode) ? _S_IFDIR : _S_IFREG;
    status->st_size = native.st_size;
    return 0;
}

std::int64_t _time64(std::int64_t* time) {
    const std::int64_t now = ::time(nullptr);
    if (time != nullptr) {
        *time = now;
    }
    return now;
}

int _wchdir(const char16_t* path) {
    return ::chdir(win32::NativePath(path).c_str()) == 0 ? 0 : -1;
}

}  // namespace crt
