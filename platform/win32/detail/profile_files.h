// The profile files the process works on, each parsed once and kept in memory, and the
// write batch.
//
// Every call checks with one stat (device, inode, size, modification and change times
// in nanoseconds) that the file on disk is still the one parsed, and parses it afresh
// when not; inside a read scope only the first read of a path does, until a write or
// another file call of the platform layer (FlushPendingProfileWrites) ends the trust. A
// file changed less than a clock tick before it was read cannot be vouched for by its
// times alone: its bytes are compared with the document's on the next calls until its
// change time lies before a read. Outside a batch a write replaces the whole file atomically before
// the call returns; a failed write leaves the file and forgets what was held of it, so
// the next call reads it from disk again. Inside a batch a written file belongs to the
// batch until the flush, under its absolute path at the first write: its held state is
// what reads return and what the flush writes. Paths are native; relative ones are taken
// from the current directory at the time of the call (for the files of a batch: at the
// time the batch began). A file on disk is known by its device and inode, so that every
// spelling of its path (and every hard link) finds one state.
#pragma once

#include <string>
#include <string_view>

namespace win32::detail {

// The value as the profile functions see it now (held writes included), into value;
// false (value unspecified) when the file, the section or the key is missing.
bool ReadProfileValue(const std::string& nativePath, std::u16string_view section,
                      std::u16string_view key, std::u16string& value);

// Sets the value. Outside a batch: true when the file was written. Inside one: true when
// the change was taken in (false when the file exists but cannot be read).
bool WriteProfileValue(const std::string& nativePath, std::u16string_view section,
                       std::u16string_view key, std::u16string_view value);

// Opens the batch; false (and nothing changes) when one is open already.
bool BeginProfileWriteBatch();
// Writes the held changes and closes the batch; false when a file of the batch could not
// be written, in this flush or an earlier one made for another file call.
bool EndProfileWriteBatch();

// Opens and closes a read scope; they nest, and the trust ends with the outermost.
void BeginProfileReadScope();
void EndProfileReadScope();

}  // namespace win32::detail
