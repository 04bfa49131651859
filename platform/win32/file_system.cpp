#include "platform/win32/detail/file_system.h"

#include <fcntl.h>
#include <limits.h>
#include <stdio.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/win32/detail/pending_writes.h"

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

FileTime TimeOf(const timespec& time) {
    return {time.tv_sec, time.tv_nsec};
}

// Moves (piece, offset) past the bytes if they come next in the pieces.
bool TakeMatching(const std::vector<std::string_view>& pieces, size_t& piece, size_t& offset,
                  std::string_view bytes) {
    while (!bytes.empty()) {
        if (piece == pieces.size()) {
            return false;
        }
        const std::string_view rest = pieces[piece].substr(offset);
        const size_t taken = std::min(rest.size(), bytes.size());
        if (rest.substr(0, taken) != bytes.substr(0, taken)) {
            return false;
        }
        bytes.remove_prefix(taken);
        offset += taken;
        if (offset == pieces[piece].size()) {
            ++piece;
            offset = 0;
        }
    }
    return true;
}

}  // namespace

bool Refuse(int error) {
    errno = error;
    return false;
}

EntryStatus StatEntry(const std::string& nativePath) {
    FlushPendingProfileWrites();
    struct stat status {};
    if (::stat(nativePath.c_str(), &status) != 0) {
        return {};
    }
    return {
        true,           S_ISDIR(status.st_mode), status.st_dev,          status.st_ino,
        status.st_size, TimeOf(status.st_mtim),  TimeOf(status.st_ctim), status.st_mode & 07777u};
}

bool Exists(const std::string& nativePath) {
    struct stat status {};
    return ProfileBatchHolds(nativePath) || ::stat(nativePath.c_str(), &status) == 0;
}

bool IsDirectory(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsReadOnly(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 && (status.st_mode & kWriteBits) == 0;
}

bool MayChangeFolderOf(const std::string& nativePath) {
    const std::string parent = ParentOf(nativePath);
    if (HasWriteBit(parent)) {
        return true;
    }
    return IsDirectory(parent) ? Refuse(EACCES) : Refuse(ENOENT);
}

bool MayReplace(const std::string& nativePath) {
    if (!MayChangeFolderOf(nativePath)) {
        return false;
    }
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) != 0 || (status.st_mode & kWriteBits) != 0 ||
           Refuse(EACCES);
}

int OpenFile(const std::string& nativePath, OpenFlags flags) {
    FlushPendingProfileWrites();
    int mode = flags.read && flags.write ? O_RDWR : (flags.write ? O_WRONLY : O_RDONLY);
    mode |= (flags.create ? O_CREAT : 0) | (flags.append ? O_APPEND : 0);
    return ::open(nativePath.c_str(), mode | O_CLOEXEC, 0666);
}

long ReadSome(int fd, char* buffer, size_t size) {
    ssize_t n = 0;
    do {
        n = ::read(fd, buffer, size);
    } while (n < 0 && errno == EINTR);
    return static_cast<long>(n);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool CloseFile(int fd) {
    return ::close(fd) == 0;
}

bool ReadWholeFile(const std::string& nativePath, std::string& data) {
    const int fd = OpenFile(nativePath, {.read = true});
    if (fd < 0) {
        return false;
    }
    // Read straight into place, with a byte to spare so that the end shows at once; a
    // file that grows meanwhile is read on to its end.
    struct stat status {};
    const size_t size = ::fstat(fd, &status) == 0 ? static_cast<size_t>(status.st_size) : 0;
    data.resize(std::max<size_t>(size + 1, 4096));
    size_t done = 0;
    long n = 0;
    do {
        if (done == data.size()) {
            data.resize(2 * data.size());
        }
        n = ReadSome(fd, data.data() + done, data.size() - done);
        done += n > 0 ? static_cast<size_t>(n) : 0;
    } while (n > 0);
    ::close(fd);
    data.resize(done);
    return n == 0;
}

bool FileHolds(const std::string& nativePath, const std::vector<std::string_view>& pieces) {
    const int fd = OpenFile(nativePath, {.read = true});
    if (fd < 0) {
        return false;
    }
    char chunk[65536];
    size_t piece = 0;
    size_t offset = 0;
    long n = 0;
    do {
        n = ReadSome(fd, chunk, sizeof chunk);
        if (n > 0 && !TakeMatching(pieces, piece, offset, {chunk, static_cast<size_t>(n)})) {
            break;
        }
    } while (n > 0);
    ::close(fd);
    while (piece < pieces.size() && pieces[piece].empty()) {
        ++piece;
    }
    return n == 0 && piece == pieces.size();
}

bool RenameNoReplace(const std::string& from, const std::string& to) {
    FlushPendingProfileWrites();
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
    FlushPendingProfileWrites();
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool RemoveFile(const std::string& nativePath) {
    FlushPendingProfileWrites();
    return ::unlink(nativePath.c_str()) == 0;
}

FileTime FileClockNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return TimeOf(now);
}

std::string CurrentFolder() {
    char cwd[PATH_MAX];
    return ::getcwd(cwd, sizeof cwd) != nullptr ? cwd : "/";
}

bool ChangeFolder(const std::string& nativePath) {
    return ::chdir(nativePath.c_str()) == 0;
}

}  // namespace win32::detail
