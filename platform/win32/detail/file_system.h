// The POSIX calls below the Windows stand-ins, on native paths. Every stand-in reaches
// the file system through here (or through the store, file_store.h), so that two rules
// hold in one place:
// - a call that reads or changes files first writes the profile writes that an open
//   batch holds (FlushPendingProfileWrites), so that no caller sees stale data; a call
//   that only asks whether an entry exists or may be written does not, since held writes
//   change neither answer (a file held by the batch exists to its writer);
// - a call that fails returns false (or -1) with errno saying why: the system's own
//   value, or one of Windows' refusals set by Refuse().
// Windows' read-only rule is kept for every user (root included): an entry whose mode has
// no write bit is read-only; a read-only file cannot be written, replaced or deleted; no
// entry can be created, renamed or deleted in a read-only folder.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace win32::detail {

// Sets errno to the error and returns false: the refusals that no system call made.
bool Refuse(int error);

struct FileTime {
    std::int64_t seconds = 0;
    std::int64_t nanoseconds = 0;
    auto operator<=>(const FileTime&) const = default;
};

// What one stat (following links) tells of an entry.
struct EntryStatus {
    bool exists = false;
    bool directory = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    FileTime modified;
    FileTime changed;
    unsigned mode = 0;  // permission bits
    bool operator==(const EntryStatus&) const = default;
};

// Ask only (no flush).
bool Exists(const std::string& nativePath);  // a file the batch holds counts
bool IsDirectory(const std::string& nativePath);
// An existing entry without write bits (Windows' read-only attribute).
bool IsReadOnly(const std::string& nativePath);
// May entries be created, renamed or deleted in the folder that holds the path?
bool MayChangeFolderOf(const std::string& nativePath);
// May the entry be deleted, or replaced by a rename onto its name?
bool MayReplace(const std::string& nativePath);

// The clock the kernel stamps files with.
FileTime FileClockNow();

// The current directory, or "/" when it cannot be had.
std::string CurrentFolder();

// Changes the current folder. No flush: a batch's files and a read scope's checks keep
// the folder they were taken from.
bool ChangeFolder(const std::string& nativePath);

// Read and change (flush first).
// What the entry is now; exists false when it cannot be queried.
EntryStatus StatEntry(const std::string& nativePath);
struct OpenFlags {
    bool read = false;
    bool write = false;
    bool create = false;  // a missing file is made (0666 less the umask)
    bool append = false;  // every write goes to the end
};
// A descriptor of the file, or -1.
int OpenFile(const std::string& nativePath, OpenFlags flags);
// Up to size bytes into buffer: the count, 0 at the end, -1 on error.
long ReadSome(int fd, char* buffer, size_t size);
// All bytes, or false.
bool WriteAll(int fd, std::string_view bytes);
// Releases the descriptor; false when the system reports a late write error.
bool CloseFile(int fd);
// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::string& nativePath, std::string& data);
// Whether the file can be read and holds exactly these bytes, given in pieces.
bool FileHolds(const std::string& nativePath, const std::vector<std::string_view>& pieces);
// Renames; fails when the destination exists.
bool RenameNoReplace(const std::string& from, const std::string& to);
// Renames over the destination.
bool RenameOver(const std::string& from, const std::string& to);
bool RemoveFile(const std::string& nativePath);

}  // namespace win32::detail
