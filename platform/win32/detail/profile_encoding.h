// The three encodings of a profile file, told by its first bytes, and the line-level
// conversions between a file's bytes and UTF-16 text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace win32::detail {

enum class ProfileEncoding {
    kAnsi936,  // no mark: code page 936
    kUtf8,     // EF BB BF
    kUtf16Le,  // FF FE
};

ProfileEncoding DetectEncoding(std::string_view bytes);

// The mark that opens a file in this encoding (empty for code page 936).
std::string_view EncodingMark(ProfileEncoding encoding);

// Where the lines of the bytes from offset `first` (the end of the mark) begin, and last
// the end of the bytes: line i is [starts[i], starts[i + 1]), its own line break (CR LF,
// LF or a lone CR) included; the last line may have none.
std::vector<size_t> LineStarts(std::string_view bytes, ProfileEncoding encoding, size_t first);

// Where the line after the one that begins at offset begins (the end for the last).
size_t NextLineStart(std::string_view body, size_t offset, ProfileEncoding encoding);

// The length in bytes of the line break that ends the line (0 when it has none).
size_t LineBreakLength(std::string_view line, ProfileEncoding encoding);

// CR LF in the encoding.
std::string_view LineBreak(ProfileEncoding encoding);

// Bytes without a line break to text (replacing what text held, so that one buffer
// serves many lines), and back. Code page 936 and UTF-8 decode as MultiByteToWideChar and
// Utf8ToUtf16 do; characters that code page 936 cannot hold become what
// WideCharToMultiByte gives for them ("?").
void DecodeLine(std::string_view bytes, ProfileEncoding encoding, std::u16string& text);
std::string EncodeLine(std::u16string_view text, ProfileEncoding encoding);

}  // namespace win32::detail
