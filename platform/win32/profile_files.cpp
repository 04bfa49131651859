#include "platform/win32/detail/profile_files.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/win32/detail/file_system.h"
#include "platform/win32/detail/pending_writes.h"
#include "platform/win32/detail/profile_disk.h"
#include "platform/win32/detail/profile_document.h"
#include "platform/win32/file_store.h"

namespace win32::detail {
namespace {

// More files than a run of the tool touches; past it the cache starts afresh.
constexpr size_t kMaxFiles = 32;

struct FileId {
    std::uint64_t device;
    std::uint64_t inode;
    bool operator==(const FileId&) const = default;
};

struct FileIdHash {
    size_t operator()(const FileId& id) const { return id.inode * 31 + id.device; }
};

FileId IdOf(const FileSignature& signature) {
    return {signature.device, signature.inode};
}

// Set while this thread works inside the profile files: the file calls they make need no
// flush of the writes they hold themselves.
thread_local bool t_inside = false;

// The profile files' mutex, held, and the thread marked inside.
class Inside {
  public:
    explicit Inside(std::mutex& mutex) : lock_(mutex) { t_inside = true; }
    ~Inside() { t_inside = false; }
    Inside(const Inside&) = delete;
    Inside& operator=(const Inside&) = delete;

  private:
    std::lock_guard<std::mutex> lock_;
};

struct ProfileFile {
    FileSignature signature;  // of the file on disk that the document was read from or written to
    bool readable = true;
    ProfileDocument document;
    // The signature vouches for the document; while it does not, the file's bytes are
    // compared with the document's.
    bool verified = true;
};

// Files on disk are known by their identity, found with the one stat that each call
// makes (in a read scope: the first read of each path), so that the spelling of a path
// and the current directory play no part. The files of an open batch are known by their
// absolute path, taken from the folder that was current when the batch began (its writer
// does not change folders), since their state is the held one and a file created by the
// batch is not on disk yet.
class ProfileFiles {
  public:
    static ProfileFiles& Instance() {
        static ProfileFiles files;
        return files;
    }

    bool Read(const std::string& path, std::u16string_view section, std::u16string_view key,
              std::u16string& value) {
        const Inside inside(mutex_);
        const ProfileFile* file = Held(path);
        if (file == nullptr) {
            file = scopeDepth_ > 0 ? Checked(path) : OnDisk(path);
        }
        return file != nullptr && file->document.Find(section, key, value);
    }

    bool Write(const std::string& path, std::u16string_view section, std::u16string_view key,
               std::u16string_view value) {
        const Inside inside(mutex_);
        if (!batchOpen_) {
            checked_.clear();  // the write may give any spelling of the path another file
            // Read, changed and stored under the lock: another writer's change is seen
            // by the check of the file that TakeOut makes, and is kept.
            const FolderLock lock(path);
            ProfileFile file;
            if (!TakeOut(path, file)) {
                return false;
            }
            file.document.Set(section, key, value);
            return Store(path, std::move(file), nullptr);
        }
        const std::string absolute = AbsolutePath(path, batchFolder_);
        auto held = held_.find(absolute);
        if (held == held_.end()) {
            ProfileFile file;
            if (!TakeOut(path, file)) {
                return false;
            }
            held = held_.emplace(absolute, std::move(file)).first;
            anyHeld_ = true;
        }
        held->second.document.Set(section, key, value);
        return true;
    }

    bool Begin() {
        const Inside inside(mutex_);
        if (batchOpen_) {
            return false;
        }
        batchOpen_ = true;
        batchFailed_ = false;
        batchFolder_ = CurrentFolder();
        return true;
    }

    bool End() {
        const Inside inside(mutex_);
        FlushHeld();
        checked_.clear();  // held writes change the disk only now
        batchOpen_ = false;
        return !std::exchange(batchFailed_, false);
    }

    void Flush() {
        if (t_inside || (!anyHeld_ && scopeDepth_ == 0)) {
            return;
        }
        const Inside inside(mutex_);
        FlushHeld();
        checked_.clear();
    }

    void BeginReadScope() {
        const Inside inside(mutex_);
        ++scopeDepth_;
    }

    void EndReadScope() {
        const Inside inside(mutex_);
        if (--scopeDepth_ == 0) {
            checked_.clear();
        }
    }

    bool Holds(const std::string& path) {
        if (t_inside || !anyHeld_) {
            return false;
        }
        const Inside inside(mutex_);
        return Held(path) != nullptr;
    }

  private:
    ProfileFiles() = default;

    ProfileFile* Held(const std::string& path) {
        if (held_.empty()) {
            return nullptr;
        }
        const auto found = held_.find(AbsolutePath(path, batchFolder_));
        return found != held_.end() ? &found->second : nullptr;
    }

    // Inside a read scope: the file as the scope's check of the path found it, checked
    // now when the path has not been yet (or its state has left the cache).
    ProfileFile* Checked(const std::string& path) {
        const auto check = checked_.find(path);
        if (check != checked_.end()) {
            if (!check->second) {
                return nullptr;
            }
            const auto found = files_.find(*check->second);
            if (found != files_.end()) {
                return &found->second;
            }
        }
        ProfileFile* file = OnDisk(path);
        checked_.insert_or_assign(
            path, file != nullptr ? std::optional(IdOf(file->signature)) : std::nullopt);
        return file;
    }

    // The file on disk as it is now, parsed; null when there is none.
    ProfileFile* OnDisk(const std::string& path) {
        const FileTime readStart = FileClockNow();
        const FileSignature signature = StatFile(path);
        if (!signature.exists) {
            return nullptr;
        }
        Trim();
        const auto [found, added] = files_.try_emplace(IdOf(signature));
        ProfileFile& file = found->second;
        if (!added && signature == file.signature) {
            if (file.verified) {
                return &file;
            }
            if (file.readable && FileHolds(path, file.document.Pieces())) {
                file.verified = Vouches(file.signature, readStart);
                return &file;
            }
        }
        Load(file, path, signature, readStart);
        return &file;
    }

    // Moves the file's state out of the cache for a change (a missing file gives an
    // empty document); false for a file that exists but cannot be read.
    bool TakeOut(const std::string& path, ProfileFile& file) {
        ProfileFile* current = OnDisk(path);
        if (current == nullptr) {
            return true;
        }
        if (!current->readable) {
            return false;
        }
        file = std::move(*current);
        files_.erase(IdOf(file.signature));
        return true;
    }

    static void Load(ProfileFile& file, const std::string& path, const FileSignature& signature,
                     FileTime readStart) {
        std::string bytes;
        file = ProfileFile{};
        file.signature = signature;
        if (!ReadWholeFile(path, bytes)) {
            file.readable = false;
            file.verified = false;
            return;
        }
        file.document = ProfileDocument(std::move(bytes));
        file.verified = Vouches(file.signature, readStart);
    }

    // Writes the document over the file and keeps it as the file's state. On failure the
    // file keeps its bytes and the state is dropped, so the next call reads the file.
    bool Store(const std::string& path, ProfileFile file, FolderSyncs* syncs) {
        const FileTime writeStart = FileClockNow();
        if (StoreFile(path, file.document.Pieces(), std::nullopt, syncs) != StoreResult::kStored) {
            return false;
        }
        file.signature = StatFile(path);
        if (file.signature.exists) {
            file.verified = Vouches(file.signature, writeStart);
            Trim();
            if (scopeDepth_ > 0) {
                checked_.insert_or_assign(path, IdOf(file.signature));
            }
            files_.insert_or_assign(IdOf(file.signature), std::move(file));
        }
        return true;
    }

    // Each file stored and synced once, each folder synced once at the end.
    void FlushHeld() {
        auto held = std::exchange(held_, {});
        FolderSyncs syncs;
        for (auto& [path, file] : held) {
            if (!Store(path, std::move(file), &syncs)) {
                batchFailed_ = true;
            }
        }
        if (!syncs.Sync()) {
            batchFailed_ = true;
        }
        anyHeld_ = false;
    }

    void Trim() {
        if (files_.size() >= kMaxFiles) {
            files_.clear();
        }
    }

    std::mutex mutex_;
    std::unordered_map<FileId, ProfileFile, FileIdHash> files_;  // on disk, by identity
    std::unordered_map<std::string, ProfileFile> held_;          // by absolute path
    bool batchOpen_ = false;
    bool batchFailed_ = false;
    std::string batchFolder_;  // relative paths of the batch are taken from here
    std::atomic<bool> anyHeld_ = false;
    std::atomic<int> scopeDepth_ = 0;
    // In a read scope: the identity that the check of a path found (none: missing).
    std::unordered_map<std::string, std::optional<FileId>> checked_;
};

}  // namespace

bool ReadProfileValue(const std::string& nativePath, std::u16string_view section,
                      std::u16string_view key, std::u16string& value) {
    return ProfileFiles::Instance().Read(nativePath, section, key, value);
}

bool WriteProfileValue(const std::string& nativePath, std::u16string_view section,
                       std::u16string_view key, std::u16string_view value) {
    return ProfileFiles::Instance().Write(nativePath, section, key, value);
}

bool BeginProfileWriteBatch() {
    return ProfileFiles::Instance().Begin();
}

bool EndProfileWriteBatch() {
    return ProfileFiles::Instance().End();
}

void BeginProfileReadScope() {
    ProfileFiles::Instance().BeginReadScope();
}

void EndProfileReadScope() {
    ProfileFiles::Instance().EndReadScope();
}

void FlushPendingProfileWrites() {
    ProfileFiles::Instance().Flush();
}

bool ProfileBatchHolds(const std::string& nativePath) {
    return ProfileFiles::Instance().Holds(nativePath);
}

}  // namespace win32::detail
