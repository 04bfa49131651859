// Reading and writing a whole file in one call. Paths are Windows-style and relative to
// the current directory; narrow paths are GBK.
#pragma once

#include <string>

#include "platform/mfc/cstring.h"
#include "platform/win32/file_store.h"

// The file read in text mode: CR LF arrives as LF, the byte 0x1A ends the file, and a
// zero byte drops the rest of its 1023-byte chunk. Empty when it cannot be opened.
std::string ReadTextFile(const std::string& path);

// The file as little-endian UTF-16 units, a byte-order mark arriving as U+FEFF; a zero
// unit drops the rest of its 1023-unit chunk, and an odd last byte is ignored. Empty when
// it cannot be opened.
std::u16string ReadUtf16File(const std::u16string& path);

// The file's bytes as they are stored; false when it cannot be opened or read.
bool ReadFileBytes(const std::u16string& path, std::string& bytes);

// What became of a whole-file write.
enum class FileWrite {
    kStored,     // the file holds exactly the new bytes
    kNotOpened,  // it could not be written at all (read-only, missing folder): unchanged
    kNotStored,  // a write, close or rename failed: it keeps its old bytes
};

// What a store's result means here.
FileWrite FileWriteOf(win32::StoreResult result);

// Gives the file exactly these bytes through the store (platform/win32/file_store.h):
// it holds its old or its new bytes, never a mix, keeps its mode and owner, is written
// through a link, and is synced; a writable file in a read-only folder is rewritten in
// place, and given its old bytes again if that fails.
FileWrite ReplaceFileBytes(const std::u16string& path, const std::string& bytes);

// What a UTF-16 file written here holds: the mark FF FE, then the text's UTF-16LE units.
std::string Utf16FileBytes(const std::u16string& text);

// Leaves the file holding exactly the mark FF FE and the text's UTF-16LE units, written
// through CStdioFile and stored at its close as ReplaceFileBytes does. A file that cannot
// be written is not: the result is false. A write that fails midway raises
// CFileException, and the file keeps its old content.
bool WriteUtf16File(const std::u16string& path, const CString& text);

// Writes the data's bytes (zero bytes included) with the runtime library's open mode
// (with "w": stored whole at the close, as ReplaceFileBytes does). 0 after writing, -1
// when the file cannot be opened or the bytes could not be stored.
int WriteBytesFile(const std::string& path, const char* mode, const std::string& data);
