// Byte-string operations. Bytes are taken one by one, without regard to the double-byte
// characters of GBK.
#pragma once

#include <string>
#include <vector>

// Empties pieces and fills it with the text's pieces between delimiter bytes (the bytes
// of delimiters up to its first zero), each delimiter as a one-byte piece of its own
// when keep is on. n delimiters give n + 1 text pieces, empty ones included; the empty
// text gives one empty piece.
void SplitAtAny(std::vector<std::string>& pieces, const std::string& text, const char* delimiters,
                bool keep);

// SplitAtAny with the delimiters kept.
std::vector<std::string> SplitKeepDelimiters(const std::string& text, const char* delimiters);

// Every occurrence of pattern replaced, left to right, without overlaps; replaced text is
// not searched again. An empty pattern replaces nothing.
std::string ReplaceAll(const std::string& text, const std::string& pattern,
                       const std::string& replacement);

// A copy with the bytes A to Z lowered; every other byte unchanged.
std::string ToLowerAscii(const std::string& text);

// The text up to its first U+0000, with U+0041 to U+005A lowered; the rest unchanged.
std::u16string ToLowerWide(const std::u16string& text);
