#include "platform/win32/detail/file_access.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace win32::detail {
namespace {

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;

std::string ParentOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

bool HasWriteBit(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && (status.st_mode & kWriteBits) != 0;
}

bool Refuse() {
    errno = EACCES;
    return false;
}

bool WriteAll(int fd, const std::string& data) {
    size_t done = 0;
    while (done < data.size()) {
        const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool Exists(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0;
}

bool IsDirectory(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool MayWrite(const std::string& nativePath) {
    if (Exists(nativePath)) {
        return HasWriteBit(nativePath) || Refuse();
    }
    return !Exists(ParentOf(nativePath)) || HasWriteBit(ParentOf(nativePath)) || Refuse();
}

bool MayChangeFolderOf(const std::string& nativePath) {
    const std::string parent = ParentOf(nativePath);
    return HasWriteBit(parent) || (Exists(parent) ? Refuse() : false);
}

bool MayReplace(const std::string& nativePath) {
    if (!MayChangeFolderOf(nativePath)) {
        return false;
    }
    return !Exists(nativePath) || HasWriteBit(nativePath) || Refuse();
}

bool ReplaceFileAtomically(const std::string& nativePath, const std::string& data, unsigned mode) {
    if (!MayReplace(nativePath)) {
        return false;
    }
    std::string temporary = nativePath + ".XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) {
        return false;
    }
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const bool written = WriteAll(fd, data) && ::fchmod(fd, mode & ~mask) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), nativePath.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        errno = saved;
        return false;
    }
    return true;
}

bool ReadWholeFile(const std::string& nativePath, std::string& data) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    data.clear();
    char chunk[65536];
    ssize_t n = 0;
    while ((n = ::read(fd, chunk, sizeof chunk)) != 0) {
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            ::close(fd);
            return false;
        }
        data.append(chunk, static_cast<size_t>(n));
    }
    ::close(fd);
    return true;
}

}  // namespace win32::detail
