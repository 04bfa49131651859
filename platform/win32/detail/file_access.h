// Windows' read-only rules on native paths, the same for every user (root included):
// an entry whose mode has no write bit is read-only. A read-only file cannot be opened
// for writing, replaced or deleted; no entry can be created, renamed or deleted in a
// read-only folder. Each check sets errno (EACCES) when it refuses.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace win32::detail {

bool Exists(const std::string& nativePath);
bool IsDirectory(const std::string& nativePath);

// May the file be opened for writing (created if it is missing)?
bool MayWrite(const std::string& nativePath);
// May entries be created, renamed or deleted in the folder that holds the path?
bool MayChangeFolderOf(const std::string& nativePath);
// May the entry be deleted, or replaced by a rename onto its name?
bool MayReplace(const std::string& nativePath);

// Writes data to a temporary file beside path and renames it over path, so that the
// path holds the old or the new bytes, never a mix. The new file takes `mode` bits. The
// temporary file has one name per path, path + ".tarnwell-new" (as the product text
// conversion's), and is named only once it is whole: a writer that dies leaves at most
// that one file, which the next replacement of path takes the place of. The storage of
// the replaced file is released off the calling thread.
bool ReplaceFileAtomically(const std::string& nativePath, std::string_view data,
                           unsigned mode = 0666);
// The same with the new bytes given in pieces, one after the other.
bool ReplaceFileAtomically(const std::string& nativePath,
                           const std::vector<std::string_view>& pieces, unsigned mode);

// Gives the file exactly these bytes, given in pieces: replaced as ReplaceFileAtomically
// does where its folder allows that; where only the file itself may be written (a
// read-only folder), rewritten in place as Windows does, and given its old bytes again
// when the new ones cannot be stored. A new file in a read-only folder is refused.
bool StoreFile(const std::string& nativePath, const std::vector<std::string_view>& pieces,
               unsigned mode);

// The whole file, or false when it cannot be read.
bool ReadWholeFile(const std::string& nativePath, std::string& data);

// Whether the file can be read and holds exactly these bytes, given in pieces.
bool FileHolds(const std::string& nativePath, const std::vector<std::string_view>& pieces);

}  // namespace win32::detail
