#include "platform/win32/file_store.h"

#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <functional>
#include <map>
#include <mutex>

#include "platform/win32/detail/file_system.h"
#include "platform/win32/detail/pending_writes.h"

namespace win32 {
namespace {

using detail::Refuse;

constexpr mode_t kWriteBits = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr int kMaxLinkHops = 40;  // as the kernel's own limit

std::string ParentOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The path with its symbolic links followed to the entry they end at (which may be
// missing); a loop of links ends anywhere and shows at the stat.
std::string FinalTarget(const std::string& path) {
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        char link[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), link, sizeof link);
        if (n <= 0 || static_cast<size_t>(n) == sizeof link) {
            break;
        }
        const std::string next(link, static_cast<size_t>(n));
        current = next.front() == '/' ? next : ParentOf(current) + "/" + next;
    }
    return current;
}

// The temporary of the target: one fixed name beside it, a shorter one when its name
// leaves no room for the suffix.
std::string TemporaryFor(const std::string& target) {
    const size_t slash = target.find_last_of('/');
    const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    const std::string prefix = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    constexpr std::string_view kSuffix = ".tarnwell-new";
    if (name.size() + kSuffix.size() <= NAME_MAX) {
        return target + std::string(kSuffix);
    }
    char hash[32];
    std::snprintf(hash, sizeof hash, "%016zx", std::hash<std::string>{}(name));
    return prefix + ".tarnwell-" + hash + ".new";
}

enum class Way {
    kRefused,
    kReplace,  // a temporary renamed over the file
    kInPlace,  // a file in a folder that takes no entries
    kInto,     // a device or a pipe, written into
};

struct Target {
    std::string path;  // the final target
    std::string folder;
    bool exists = false;
    struct stat status {};
    Way way = Way::kRefused;
};

// Whether a new entry may be made in the folder, or `file` (when given) renamed over.
bool FolderTakesEntries(const std::string& folder, const struct stat* file) {
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        return false;
    }
    if (!S_ISDIR(status.st_mode)) {
        return Refuse(ENOTDIR);
    }
    if ((status.st_mode & kWriteBits) == 0) {
        return Refuse(EACCES);  // Windows' read-only folder
    }
    if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return false;
    }
    // In a sticky folder only the owners of the file and of the folder may replace it.
    const uid_t self = ::geteuid();
    const bool stickyForUs = (status.st_mode & S_ISVTX) != 0 && file != nullptr && self != 0 &&
                             file->st_uid != self && status.st_uid != self;
    return !stickyForUs || Refuse(EACCES);
}

// What a store of the path would do, and why not (errno) when it would refuse.
Target Examine(const std::string& nativePath) {
    Target target;
    target.path = FinalTarget(nativePath);
    target.folder = ParentOf(target.path);
    target.exists = ::stat(target.path.c_str(), &target.status) == 0;
    if (!target.exists) {
        if (errno == ENOENT && FolderTakesEntries(target.folder, nullptr)) {
            target.way = Way::kReplace;
        }
        return target;
    }
    if (S_ISDIR(target.status.st_mode) || (target.status.st_mode & kWriteBits) == 0) {
        Refuse(EACCES);
        return target;
    }
    if (::faccessat(AT_FDCWD, target.path.c_str(), W_OK, AT_EACCESS) != 0) {
        return target;
    }
    if (!S_ISREG(target.status.st_mode)) {
        target.way = Way::kInto;
        return target;
    }
    target.way = FolderTakesEntries(target.folder, &target.status) ? Way::kReplace : Way::kInPlace;
    return target;
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

// Writes the pieces from the file's start.
bool WritePieces(int fd, const std::vector<std::string_view>& pieces) {
    std::string gathered;
    std::vector<iovec> rest = Vectors(pieces, gathered);
    off_t offset = 0;
    size_t next = 0;
    while (next < rest.size()) {
        const auto count = static_cast<int>(std::min<size_t>(rest.size() - next, IOV_MAX));
        const ssize_t n = ::pwritev(fd, &rest[next], count, offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n == 0 ? Refuse(EIO) : false;
        }
        offset += n;
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

size_t SizeOf(const std::vector<std::string_view>& pieces) {
    size_t size = 0;
    for (const std::string_view piece : pieces) {
        size += piece.size();
    }
    return size;
}

// The target's owner (where the process may give it) and mode, or the mode asked for.
bool TakeOwnerAndMode(int fd, const Target& target, std::optional<unsigned> mode) {
    if (target.exists &&
        (target.status.st_uid != ::geteuid() || target.status.st_gid != ::getegid()) &&
        ::fchown(fd, target.status.st_uid, target.status.st_gid) != 0 && errno != EPERM) {
        return false;
    }
    if (!mode && target.exists) {
        mode = target.status.st_mode & 07777;
    }
    return !mode || ::fchmod(fd, *mode) == 0;
}

bool SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return errno == EACCES;  // a folder we may not read: left to the system
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// Makes the entry `name` for the unnamed open file, in the place of one that a writer
// left behind.
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

// Creates the file `name`, in the place of one that a writer left behind; -1 when it
// cannot.
int CreateAfresh(const std::string& name) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST || ::unlink(name.c_str()) != 0) {
            return fd;
        }
    }
    return -1;
}

// The new bytes, whole and synced, under the target's temporary name; false, with no
// such file of ours left, when they cannot be. Where the file system makes unnamed files
// the temporary is named only once it is whole, so a writer that dies midway leaves
// nothing.
bool WriteTemporary(const Target& target, const std::string& temporary,
                    const std::vector<std::string_view>& pieces, std::optional<unsigned> mode) {
    int fd = ::open(target.folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    const bool unnamed = fd >= 0;
    if (!unnamed) {
        if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
            return false;  // no inodes, no rights: reported, not worked around
        }
        fd = CreateAfresh(temporary);
        if (fd < 0) {
            return false;
        }
    }
    bool whole = WritePieces(fd, pieces) && TakeOwnerAndMode(fd, target, mode) &&
                 ::fsync(fd) == 0 && (!unnamed || LinkAs(fd, temporary));
    whole = ::close(fd) == 0 && whole;
    if (!whole) {
        const int saved = errno;
        if (!unnamed) {
            ::unlink(temporary.c_str());
        }
        errno = saved;
    }
    return whole;
}

// Renames the temporary over the target; the temporary is gone either way.
bool Rename(const std::string& temporary, const Target& target, FolderSyncs* syncs) {
    if (::rename(temporary.c_str(), target.path.c_str()) != 0) {
        const int saved = errno;
        ::unlink(temporary.c_str());
        return Refuse(saved);
    }
    if (syncs != nullptr) {
        syncs->Add(target.folder);
        return true;
    }
    return SyncFolder(target.folder);
}

bool ReadAt(int fd, std::string& bytes) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return false;
    }
    bytes.resize(static_cast<size_t>(status.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
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

bool WriteWhole(int fd, const std::vector<std::string_view>& pieces) {
    return WritePieces(fd, pieces) && ::ftruncate(fd, static_cast<off_t>(SizeOf(pieces))) == 0 &&
           ::fsync(fd) == 0;
}

// The file given the new bytes where it stands: first the new bytes over the old, then
// the tail cut, so that a kill leaves at least the old length; the old bytes go back
// when that fails.
StoreResult RewriteInPlace(const Target& target, const std::vector<std::string_view>& pieces) {
    const int fd = ::open(target.path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) {
        return StoreResult::kRefused;
    }
    std::string old;
    const bool haveOld = ReadAt(fd, old);
    if (haveOld && WriteWhole(fd, pieces)) {
        return ::close(fd) == 0 ? StoreResult::kStored : StoreResult::kNotStored;
    }
    const int saved = errno;
    if (haveOld) {
        WriteWhole(fd, {old});
    }
    ::close(fd);
    errno = saved;
    return StoreResult::kNotStored;
}

// The bytes written into a device or a pipe, one after the other.
StoreResult WriteInto(const Target& target, const std::vector<std::string_view>& pieces) {
    const int fd = ::open(target.path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        return StoreResult::kRefused;
    }
    bool written = true;
    for (size_t i = 0; written && i < pieces.size(); ++i) {
        written = detail::WriteAll(fd, pieces[i]);
    }
    written = ::close(fd) == 0 && written;
    return written ? StoreResult::kStored : StoreResult::kNotStored;
}

StoreResult Store(const Target& target, const std::vector<std::string_view>& pieces,
                  std::optional<unsigned> mode, FolderSyncs* syncs) {
    switch (target.way) {
        case Way::kRefused:
            return StoreResult::kRefused;
        case Way::kInPlace:
            return RewriteInPlace(target, pieces);
        case Way::kInto:
            return WriteInto(target, pieces);
        case Way::kReplace:
            break;
    }
    const std::string temporary = TemporaryFor(target.path);
    return WriteTemporary(target, temporary, pieces, mode) && Rename(temporary, target, syncs)
               ? StoreResult::kStored
               : StoreResult::kNotStored;
}

// The folders this process has locked: descriptor and depth, by device and inode.
struct HeldLock {
    int fd;
    int depth;
};
std::mutex g_locksMutex;
std::map<std::pair<std::uint64_t, std::uint64_t>, HeldLock> g_locks;

}  // namespace

bool MayStore(const std::string& nativePath) {
    return Examine(nativePath).way != Way::kRefused;
}

bool IsReplacedWhole(const std::string& nativePath) {
    struct stat status {};
    return ::stat(FinalTarget(nativePath).c_str(), &status) != 0 || S_ISREG(status.st_mode);
}

FolderSyncs::~FolderSyncs() {
    Sync();
}

void FolderSyncs::Add(const std::string& folder) {
    folders_.insert(folder);
}

bool FolderSyncs::Sync() {
    bool all = true;
    for (const std::string& folder : folders_) {
        all = SyncFolder(folder) && all;
    }
    folders_.clear();
    return all;
}

StoreResult StoreFile(const std::string& nativePath, const std::vector<std::string_view>& pieces,
                      std::optional<unsigned> mode, FolderSyncs* syncs) {
    detail::FlushPendingProfileWrites();
    const FolderLock lock(nativePath);
    return Store(Examine(nativePath), pieces, mode, syncs);
}

StagedStore::~StagedStore() {
    Drop();
}

void StagedStore::Drop() {
    for (const Staged& staged : staged_) {
        if (!staged.temporary.empty()) {
            ::unlink(staged.temporary.c_str());
        }
    }
    staged_.clear();
}

StoreResult StagedStore::Stage(const std::string& nativePath, std::string_view bytes) {
    detail::FlushPendingProfileWrites();
    const Target target = Examine(nativePath);
    if (target.way == Way::kRefused) {
        return StoreResult::kRefused;
    }
    Staged staged{target.path, {}, {}};
    if (target.way == Way::kInPlace || target.way == Way::kInto) {
        staged.bytes = bytes;
    } else {
        staged.temporary = TemporaryFor(target.path);
        if (!WriteTemporary(target, staged.temporary, {bytes}, std::nullopt)) {
            return StoreResult::kNotStored;
        }
    }
    std::erase_if(staged_, [&](const Staged& s) { return s.target == target.path; });
    staged_.push_back(std::move(staged));
    return StoreResult::kStored;
}

bool StagedStore::Commit() {
    detail::FlushPendingProfileWrites();
    FolderSyncs syncs;
    bool all = true;
    for (Staged& staged : staged_) {
        const Target target = Examine(staged.target);
        bool placed = false;
        if (target.way == Way::kRefused) {  // made read-only since it was staged
            if (!staged.temporary.empty()) {
                ::unlink(staged.temporary.c_str());
            }
            staged.temporary.clear();
        } else if (staged.temporary.empty()) {
            placed = Store(target, {staged.bytes}, std::nullopt, &syncs) == StoreResult::kStored;
        } else {
            placed = Rename(staged.temporary, target, &syncs);
            staged.temporary.clear();
        }
        all = placed && all;
    }
    staged_.clear();
    return syncs.Sync() && all;
}

FolderLock::FolderLock(const std::string& nativePath) {
    const int fd =
        ::open(ParentOf(FinalTarget(nativePath)).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return;
    }
    const std::pair<std::uint64_t, std::uint64_t> key{status.st_dev, status.st_ino};
    const std::lock_guard guard(g_locksMutex);
    const auto held = g_locks.find(key);
    if (held != g_locks.end()) {
        ++held->second.depth;
        ::close(fd);
        folder_ = key;
        return;
    }
    int locked = 0;
    do {
        locked = ::flock(fd, LOCK_EX);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        ::close(fd);
        return;
    }
    g_locks.emplace(key, HeldLock{fd, 1});
    folder_ = key;
}

FolderLock::~FolderLock() {
    if (!folder_) {
        return;
    }
    const std::lock_guard guard(g_locksMutex);
    const auto held = g_locks.find(*folder_);
    if (held != g_locks.end() && --held->second.depth == 0) {
        ::close(held->second.fd);
        g_locks.erase(held);
    }
}

}  // namespace win32
