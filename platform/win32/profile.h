// The Windows profile (INI) file calls, with Windows semantics.
//
// Reading: section and key names match without regard to the case of A to Z only;
// blanks and tabs around names and values are trimmed, then one matching pair of '"' or
// '\'' around the value is removed; a line without '=' is no key, and ';' means nothing
// (";x=1" is the key ";x", "a;b" is a value); a key ends at its first '='; a header is
// "[name]", trimmed, anything after the first ']' ignored (a '[' line without ']' is no
// header); lines before the first header form the nameless section, named ""; of two
// equal sections only the first counts, of two equal keys the first.
// Lines end in CR LF, LF or CR. The file's encoding follows its mark: FF FE UTF-16LE,
// EF BB BF UTF-8, otherwise code page 936.
//
// Writing keeps every other line byte for byte and the file's encoding; a missing or
// empty file is created in code page 936. New lines end in CR LF. The whole file is
// replaced through the store (file_store.h): synced, atomically, its mode, owner and links
// kept, so a failure leaves the old file as it was; read-only files and folders follow
// the store. Two processes writing one file are serialised: each reads, changes and
// stores it under the folder's lock, so neither loses the other's writes.
//
// Paths are Windows-style (native_path.h), relative ones taken from the current
// directory at the time of the call. A file is parsed once and kept indexed; one stat
// per call tells whether it changed on disk since (inside a ProfileReadScope, one stat
// per scope).
#pragma once

#include <string>
#include <string_view>

#include "platform/win32/win_types.h"

// Copies the value (or defaultValue when the file, section or key is missing; its
// trailing blanks trimmed; null reads as "") into buffer: at most size - 1 units and a
// NUL. Returns the units copied; size 0 copies nothing and returns 0. A key present with
// an empty value gives "", not the default.
DWORD GetPrivateProfileStringW(const char16_t* section, const char16_t* key,
                               const char16_t* defaultValue, char16_t* buffer, DWORD size,
                               const char16_t* fileName);

// The same with GBK (code page 936) names, default, value and path; size counts bytes,
// and the value is cut to at most size - 1 bytes without splitting a double-byte
// character. Returns the bytes copied.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* defaultValue,
                               char* buffer, DWORD size, const char* fileName);

// The value read as an integer: leading blanks, an optional sign, then decimal digits,
// or "0x" and hex digits, "0o" and octal digits, "0b" and binary digits (the prefixes in
// lower case only: "0X1f" is 0), up to the first other character; no digits give 0.
// defaultValue when the file or key is missing or the value is empty. The result is the
// value as UINT, wrapping ("-1" gives 0xFFFFFFFF).
UINT GetPrivateProfileIntW(const char16_t* section, const char16_t* key, int defaultValue,
                           const char16_t* fileName);

// Sets key = value in section (key and value trimmed of blanks): an existing key is
// replaced in place (its first occurrence, spelt as in the file, keeping its line
// break), a new key goes after the last key line of its section (after the header when
// it has none), a new section at the end of the file. A value holding a line break is
// written as it is, and reads back as the file then reads. Characters that the file's
// code page cannot hold are written as WideCharToMultiByte gives them ("?"). TRUE when
// the file was written (inside a batch: when the write was taken in; the batch reports
// the flush); FALSE, with the file unchanged, when it could not be.
BOOL WritePrivateProfileStringW(const char16_t* section, const char16_t* key, const char16_t* value,
                                const char16_t* fileName);

// What keeps a text from reading back from a profile line as it was written.
enum class ProfileTextFault {
    kNone,         // it reads back whole
    kLineBreak,    // a line break ends the line there
    kBlankEnd,     // blanks and tabs at its ends are trimmed
    kQuoted,       // a value loses one pair of matching quotes around it
    kEqualsSign,   // a key ends at its first "="
    kHeaderStart,  // a line that starts with "[" is read as a section header
};
// The text as a value, and as a key name.
ProfileTextFault ValueFault(std::u16string_view value);
ProfileTextFault KeyFault(std::u16string_view key);

// The bytes that a profile file holding `bytes` (empty: missing) holds after
// WritePrivateProfileStringW(section, key, value): for a change worked out before any
// file is touched.
std::string ProfileBytesAfterWrite(std::string bytes, const char16_t* section, const char16_t* key,
                                   const char16_t* value);

// Holds profile writes in memory from construction to Flush() or destruction, then
// writes each changed file once. While it is open, the profile reads return the held
// state, and every other call of the platform layer that touches files flushes the held
// writes first, so no reader sees stale data; a file with held writes belongs to the
// batch, and changes made to it meanwhile by other programs are overwritten. Batches do
// not nest: one made while another is open holds nothing, and its Flush() returns true.
class ProfileWriteBatch {
  public:
    ProfileWriteBatch();
    ~ProfileWriteBatch();
    ProfileWriteBatch(const ProfileWriteBatch&) = delete;
    ProfileWriteBatch& operator=(const ProfileWriteBatch&) = delete;

    // Writes the held changes and ends the batch; false when a file could not be
    // written, now or in a flush that another file call made while the batch was open.
    bool Flush();

  private:
    bool open_;
};

// Lets the profile reads trust the check of a file from construction to destruction, for
// a handler that looks up many keys: the first read of a file inside the scope checks
// the file on disk with one stat, later reads of it take that check as still true.
// Writes through the profile functions stay visible at once, and every other call of the
// platform layer that touches files ends the trust (it may change them), so the next read
// checks again. Changes that other programs make meanwhile may go unseen until the scope
// ends. A relative path is taken from the current directory of its first read in the
// scope. Scopes nest; the trust ends with the outermost.
class ProfileReadScope {
  public:
    ProfileReadScope();
    ~ProfileReadScope();
    ProfileReadScope(const ProfileReadScope&) = delete;
    ProfileReadScope& operator=(const ProfileReadScope&) = delete;
};
