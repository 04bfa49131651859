// The translation files of the product folder, the names derived from them, and the two
// ways they are read and created: the line reader and the UTF-16 creation rule.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace crt {
struct FILE;
}

inline constexpr char16_t kPendingFile[] = u".\\config\\res.todo.txt";
inline constexpr char16_t kTranslationFile[] = u".\\config\\res.txt";
inline constexpr char16_t kDataTranslationFile[] = u".\\data\\data.ini";
inline constexpr char16_t kFullResourceList[] = u".\\config\\res.todo.all";
inline constexpr char16_t kDataDictionaryFile[] = u".\\data\\data.sql";
inline constexpr char16_t kInstallTranslationFile[] = u".\\config\\res_install.txt";
inline constexpr char16_t kInstallDataDictionaryFile[] = u".\\data\\data_install.sql";
inline constexpr char16_t kTranslationSection[] = u"str";
// The data-dictionary file's path for the narrow file calls (GBK).
inline constexpr char kDataDictionaryFileAnsi[] = ".\\data\\data.sql";
// The buffer of one profile value: longer values arrive cut to fit.
inline constexpr int kProfileValueUnits = 10240;

// The values of section "str" of one translation file, each read whole however long it
// is, through one buffer that keeps the size the longest value needed.
class TranslationLookup {
  public:
    explicit TranslationLookup(const char16_t* file) : file_(file) {}

    // The key's value; empty when the file or the key is missing. Valid until the next
    // call.
    std::u16string_view Find(const std::u16string& key);

  private:
    const char16_t* file_;
    std::u16string buffer_ = std::u16string(kProfileValueUnits, u'\0');
};

// The per-language copies for a language code as stored ("936", "950", ...).
std::u16string LanguageTranslationFile(const std::u16string& code);      // res_<code>.txt
std::u16string LanguageDataDictionaryFile(const std::u16string& code);   // data_<code>.sql
std::u16string LanguageDataTranslationFile(const std::u16string& code);  // data_<code>.ini

// The ten-digit, zero-padded text form of a key or running number ("%010u").
std::u16string FormatResourceKey(std::uint32_t number);

// The archive name of the pending file for a time in seconds since 1970: the low 32 bits
// in the resource-key form.
std::u16string PendingArchiveName(std::int64_t seconds);

// The key "=" value lines of a profile file read as wide text (its mark decides the
// encoding, CR LF arrives as LF), one at a time in file order, whatever section they stand
// in. A line without "=", or whose "=" comes first, is skipped; a line is read whole
// however long it is. Nothing is trimmed; the value runs to the end of the line, its final
// LF included. A file that cannot be opened gives no lines. A line's views stay valid
// until the next call of Next().
class ProfileLineReader {
  public:
    explicit ProfileLineReader(const std::u16string& path);
    ~ProfileLineReader();
    ProfileLineReader(const ProfileLineReader&) = delete;
    ProfileLineReader& operator=(const ProfileLineReader&) = delete;

    // Moves to the next keyed line; false after the last one.
    bool Next();
    std::u16string_view Line() const { return {buffer_.data(), length_}; }  // as read
    std::u16string_view Key() const { return Line().substr(0, equals_); }
    std::u16string_view Value() const { return Line().substr(equals_ + 1); }

  private:
    // Reads one line whole into the buffer, growing it; false at the end of the file.
    bool ReadLine();

    crt::FILE* file_ = nullptr;
    std::u16string buffer_;
    size_t length_ = 0;
    size_t equals_ = 0;
};

// Makes a missing or empty file hold only the UTF-16LE mark FF FE, in one atomic step,
// so that the profile writes keep it in UTF-16. Any other existing file is left as it
// is. True when the file then starts with FF FE; false when it could not be given the
// mark or holds text without it (code page 936, UTF-8, UTF-16 without its mark or
// big-endian): the profile writes would add lines in another encoding than its own.
bool EnsureUtf16ProfileFile(const std::u16string& path);
