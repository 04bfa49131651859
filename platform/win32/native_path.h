// Windows-style paths and names to and from the native (UTF-8, "/") form.
#pragma once

#include <string>
#include <string_view>

namespace win32 {

// A narrow path in the ANSI code page (936): decoded first, since a GBK trail byte can
// be 0x5C, then every "\" turned into "/" and the result encoded in UTF-8.
std::string NativePath(const char* ansiPath);

// A UTF-16 path: every "\" turned into "/", encoded in UTF-8.
std::string NativePath(const char16_t* widePath);

// A name the file system returns, in the ANSI code page (936).
std::string NativeNameToAnsi(std::string_view nativeName);

// A native path in Windows form: UTF-16 with backslashes.
std::u16string NativePathToWide(std::string_view nativePath);

// Text in the ANSI code page (936) and back; characters it lacks become "?".
std::u16string AnsiToWide(std::string_view text);
std::string WideToAnsi(std::u16string_view text);

// UTF-8, as code page 65001 has it: a lone surrogate is written as U+FFFD, and bytes that
// do not decode are read as U+FFFD (one for each sequence that breaks off, one for each
// other stray byte).
std::string Utf16ToUtf8(std::u16string_view text);
std::u16string Utf8ToUtf16(std::string_view text);

// UTF-16LE without a mark: each unit as two bytes, the low one first. The units of two
// bytes; decoding replaces what text held (one buffer serves many calls) and ignores an
// odd last byte.
inline char16_t Utf16LeUnit(char low, char high) {
    return static_cast<char16_t>(static_cast<unsigned char>(low) | static_cast<unsigned char>(high)
                                                                       << 8);
}
void AppendUtf16Le(std::u16string_view text, std::string& bytes);
void DecodeUtf16Le(std::string_view bytes, std::u16string& text);

}  // namespace win32
