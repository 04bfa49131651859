// What the profile files make of the file system's answers: a file's signature from one
// stat, whether a signature vouches for the bytes read after it, and the absolute form
// of a path.
#pragma once

#include <string>

#include "platform/win32/detail/file_system.h"

namespace win32::detail {

// Equal signatures: the same file, unchanged, as far as one stat can tell.
using FileSignature = EntryStatus;

// The file's signature; a folder counts as missing.
FileSignature StatFile(const std::string& nativePath);

// Whether every later change of the file must show in its signature: its change time
// lies before readStart, taken before the stat and the read. A file changed within the
// clock's last tick can change again with the same times, and needs its bytes compared.
bool Vouches(const FileSignature& signature, FileTime readStart);

// The path taken from folder (an absolute path), "." and empty components dropped.
std::string AbsolutePath(const std::string& nativePath, const std::string& folder);

}  // namespace win32::detail
