// The one store of whole files. Every write that gives a file new bytes as a whole goes
// through it: the profile writes, CopyFileW, the C runtime's "w" streams
// and the foundation's whole-file writes. Paths are native (native_path.h).
//
// A store of a path:
// - follows a symbolic link to its final target and writes that; the link stays;
// - refuses (kRefused, nothing changed, errno EACCES, EROFS, ENOENT, ...) a folder, a file
//   without write bits (Windows' read-only attribute, for root too), a file the process'
//   rights do not let it write, and a new file whose folder is missing or takes no new
//   entry (no write bit, or no right to add one);
// - where the folder takes entries: puts the new bytes in a temporary in the same folder,
//   named only once it is whole and synced, with the target's mode bits exactly and its
//   owner where the process may set it (a new file: 0666 less the umask), then renames it
//   over the target and syncs the folder (at once, or once for many files through
//   FolderSyncs). A kill or a power loss leaves the old bytes or the new. The temporary
//   has one fixed name per target ("<name>.tarnwell-new"); a kill between the naming and
//   the rename leaves it whole, and the next store of the target takes its place;
// - where the folder takes no entries but the file may be written (as Windows allows):
//   rewrites the file in place, the new bytes from its start, then the old tail cut, then
//   synced; a failure gives it its old bytes again;
// - writes into a device or a pipe as it is (no temporary, no sync);
// - splits a file with several hard links: the written name gets the new bytes, the
//   other names keep the old file;
// - reports kNotStored, the old bytes kept and errno saying why, when the new bytes cannot
//   be put down (full disk, no free inodes, a failed sync or rename); it never falls back
//   to writing in place then.
// Each store first writes the profile writes that an open batch holds (pending_writes.h).
// Two writers of one file are serialised by FolderLock; one store takes it itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace win32 {

enum class StoreResult {
    kStored,     // the file holds exactly the new bytes
    kRefused,    // it may not be written (see above): unchanged
    kNotStored,  // the bytes could not be put down: it keeps its old bytes
};

// Whether a store of the path would be taken (not kRefused); errno says why not. It
// asks only: no flush, no change.
bool MayStore(const std::string& nativePath);

// Whether the path (after its links) names a regular file or nothing yet: what a store
// replaces whole. A device or a pipe is written into as it is.
bool IsReplacedWhole(const std::string& nativePath);

// Folders whose new entries still need a sync; each is synced once, by Sync() or at the
// latest by the destructor.
class FolderSyncs {
  public:
    FolderSyncs() = default;
    FolderSyncs(const FolderSyncs&) = delete;
    FolderSyncs& operator=(const FolderSyncs&) = delete;
    ~FolderSyncs();
    void Add(const std::string& folder);
    // False when a folder could not be synced.
    bool Sync();

  private:
    std::unordered_set<std::string> folders_;
};

// Gives the file exactly these bytes, given in pieces. mode: the new file's permission
// bits exactly (else the target's own). syncs: where the folder's sync is left for later
// (else it is synced at once).
StoreResult StoreFile(const std::string& nativePath, const std::vector<std::string_view>& pieces,
                      std::optional<unsigned> mode = std::nullopt, FolderSyncs* syncs = nullptr);

// Several files given new bytes in two steps: each staged (its temporary written whole
// and synced; the file unchanged), then all put in place in one quick pass of renames and
// one sync per folder. Whatever is staged and not committed is removed.
class StagedStore {
  public:
    StagedStore() = default;
    StagedStore(const StagedStore&) = delete;
    StagedStore& operator=(const StagedStore&) = delete;
    ~StagedStore();

    // As StoreFile but for the target itself, which changes only at Commit. kRefused and
    // kNotStored leave nothing staged of this path. A path staged again takes the later
    // bytes.
    StoreResult Stage(const std::string& nativePath, std::string_view bytes);

    // Puts every staged file in place, in the order staged; false when one could not be
    // (it keeps its old bytes; the others are committed all the same). Nothing stays
    // staged.
    bool Commit();

  private:
    struct Staged {
        std::string target;     // the final target
        std::string temporary;  // empty: rewritten in place at Commit
        std::string bytes;      // for a file rewritten in place
    };
    void Drop();

    std::vector<Staged> staged_;
};

// Serialises, between processes, the writers of the files in the folder of the path's
// final target (an advisory lock on the folder, held from construction to destruction):
// a writer that reads a file, changes it and stores it holds it around the three steps
// and checks what it read again under it. Locks of one folder nest within a process;
// threads of one process serialise themselves. A folder that cannot be opened is not
// locked.
class FolderLock {
  public:
    explicit FolderLock(const std::string& nativePath);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

  private:
    std::optional<std::pair<std::uint64_t, std::uint64_t>> folder_;  // device, inode
};

}  // namespace win32
