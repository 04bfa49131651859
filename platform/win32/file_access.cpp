#include "platform/win32/detail/file_access.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <system_error>
#include <thread>

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

// A file without a name yet in the folder, or -1 when the file system makes none.
int OpenUnnamed(const std::string& folder) {
    return ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
}

// Makes the entry `name` for the open file, in the place of an entry of that name that a
// writer left behind.
bool LinkAs(int fd, const std::string& name) {
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            return true;
        }
        if (errno != EEXIST || ::unlink(name.c_str()) != 0) {
            return false;
        }
    }
    return false;
}

// Creates the file `name` for writing, in the place of one that a writer left behind; -1
// when it cannot.
int CreateAfresh(const std::string& name) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST || ::unlink(name.c_str()) != 0) {
            return fd;
        }
    }
    return -1;
}

// Pieces smaller than this are copied together before they are written; larger ones go
// to the file from where they are.
constexpr size_t kGatheredBelow = 4096;

// The pieces as few vectors to write: small ones gathered into `gathered`.
std::vector<iovec> Vectors(const std::vector<std::string_view>& pieces, std::string& gathered) {
    size_t gatheredSize = 0;
    for (const std::string_view piece : pieces) {
        gatheredSize += piece.size() < kGatheredBelow ? piece.size() : 0;
    }
    gathered.reserve(gatheredSize);  // no reallocation below: the vectors point into it
    std::vector<iovec> vectors;
    bool lastGathered = false;  // the last vector ends where `gathered` does
    for (const std::string_view piece : pieces) {
        if (piece.empty()) {
            continue;
        }
        const bool small = piece.size() < kGatheredBelow;
        if (!small) {
            vectors.push_back({const_cast<char*>(piece.data()), piece.size()});
        } else if (lastGathered) {
            vectors.back().iov_len += piece.size();
        } else {
            vectors.push_back({gathered.data() + gathered.size(), piece.size()});
        }
        if (small) {
            gathered.append(piece);
        }
        lastGathered = small;
    }
    return vectors;
}

bool WriteAll(int fd, const std::vector<std::string_view>& pieces) {
    std::string gathered;
    std::vector<iovec> rest = Vectors(pieces, gathered);
    size_t next = 0;
    while (next < rest.size()) {
        const auto count = static_cast<int>(std::min<size_t>(rest.size() - next, IOV_MAX));
        const ssize_t n = ::writev(fd, &rest[next], count);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        for (auto done = static_cast<size_t>(n); done > 0;) {  // past what was written
            iovec& vector = rest[next];
            const size_t taken = std::min(done, vector.iov_len);
            vector.iov_base = static_cast<char*>(vector.iov_base) + taken;
            vector.iov_len -= taken;
            done -= taken;
            next += vector.iov_len == 0 ? 1 : 0;
        }
    }
    return true;
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

// Writes the data and the mode bits into the open file.
bool Fill(int fd, const std::vector<std::string_view>& data, unsigned mode) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return WriteAll(fd, data) && ::fchmod(fd, mode & ~mask) == 0;
}

// The file, made whole without a name and then named; -1 (nothing left) when the file
// system makes no unnamed files or it cannot be done.
int FillUnnamed(const std::string& folder, const std::string& temporary,
                const std::vector<std::string_view>& data, unsigned mode) {
    const int fd = OpenUnnamed(folder);
    if (fd >= 0 && !(Fill(fd, data, mode) && LinkAs(fd, temporary))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// A new file, whole, under the temporary name; false, with no such file of ours left,
// when it cannot be made. Where the file system allows, the file is named only once it
// is whole, so that a writer that dies midway leaves nothing.
bool WriteTemporary(const std::string& nativePath, const std::string& temporary,
                    const std::vector<std::string_view>& data, unsigned mode) {
    int fd = FillUnnamed(ParentOf(nativePath), temporary, data, mode);
    bool filled = fd >= 0;
    if (!filled) {
        fd = CreateAfresh(temporary);
        if (fd < 0) {
            return false;
        }
        filled = Fill(fd, data, mode);
    }
    if (::close(fd) == 0 && filled) {
        return true;
    }
    const int saved = errno;
    ::unlink(temporary.c_str());
    errno = saved;
    return false;
}

// Closes the last descriptor of a replaced file on a thread of its own: that close frees
// the file's blocks, and a file system that discards freed blocks at once waits for the
// disk there (about 4 ms for 4 MB on a virtual disk).
void ReleaseInBackground(int fd) {
    if (fd < 0) {
        return;
    }
    try {
        std::thread([fd] { ::close(fd); }).detach();
    } catch (const std::system_error&) {
        ::close(fd);
    }
}

// Empties the file where it stands and writes the pieces into it.
bool WriteOver(const std::string& nativePath, const std::vector<std::string_view>& pieces) {
    const int fd = ::open(nativePath.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, pieces);
    return ::close(fd) == 0 && written;
}

bool RewriteInPlace(const std::string& nativePath, const std::vector<std::string_view>& pieces) {
    std::string old;
    if (!Exists(nativePath) || !MayWrite(nativePath) || !ReadWholeFile(nativePath, old)) {
        return false;
    }
    if (WriteOver(nativePath, pieces)) {
        return true;
    }
    const int saved = errno;
    WriteOver(nativePath, {old});
    errno = saved;
    return false;
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

bool ReplaceFileAtomically(const std::string& nativePath, std::string_view data, unsigned mode) {
    return ReplaceFileAtomically(nativePath, std::vector<std::string_view>{data}, mode);
}

bool ReplaceFileAtomically(const std::string& nativePath, const std::vector<std::string_view>& data,
                           unsigned mode) {
    if (!MayReplace(nativePath)) {
        return false;
    }
    const std::string temporary = nativePath + ".tarnwell-new";
    if (!WriteTemporary(nativePath, temporary, data, mode)) {
        return false;
    }
    // Held open, the replaced file keeps its storage until it is released.
    const int replaced = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (::rename(temporary.c_str(), nativePath.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        if (replaced >= 0) {
            ::close(replaced);
        }
        errno = saved;
        return false;
    }
    ReleaseInBackground(replaced);
    return true;
}

bool StoreFile(const std::string& nativePath, const std::vector<std::string_view>& pieces,
               unsigned mode) {
    if (MayChangeFolderOf(nativePath) || !Exists(ParentOf(nativePath))) {
        return ReplaceFileAtomically(nativePath, pieces, mode);
    }
    return RewriteInPlace(nativePath, pieces);
}

bool ReadWholeFile(const std::string& nativePath, std::string& data) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // Read straight into place, with a byte to spare so that the end shows at once; a
    // file that grows meanwhile is read on to its end.
    struct stat status {};
    const size_t size = ::fstat(fd, &status) == 0 ? static_cast<size_t>(status.st_size) : 0;
    data.resize(std::max<size_t>(size + 1, 4096));
    size_t done = 0;
    ssize_t n = 0;
    do {
        if (done == data.size()) {
            data.resize(2 * data.size());
        }
        n = ::read(fd, data.data() + done, data.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        }
    } while (n > 0 || (n < 0 && errno == EINTR));
    ::close(fd);
    data.resize(done);
    return n == 0;
}

bool FileHolds(const std::string& nativePath, const std::vector<std::string_view>& pieces) {
    const int fd = ::open(nativePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    char chunk[65536];
    size_t piece = 0;
    size_t offset = 0;
    ssize_t n = 0;
    do {
        n = ::read(fd, chunk, sizeof chunk);
        if (n > 0 && !TakeMatching(pieces, piece, offset, {chunk, static_cast<size_t>(n)})) {
            break;
        }
    } while (n > 0 || (n < 0 && errno == EINTR));
    ::close(fd);
    while (piece < pieces.size() && pieces[piece].empty()) {
        ++piece;
    }
    return n == 0 && piece == pieces.size();
}

}  // namespace win32::detail
