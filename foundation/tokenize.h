// Cutting a text into trimmed tokens.
#pragma once

#include <string>
#include <vector>

#include "platform/mfc/cstring.h"

// The tokens of the text between runs of separator characters, each trimmed of white
// space at both ends, in order. The first token that is blank after trimming ends the
// list: it and every later token are dropped.
std::vector<std::u16string> TokenizeToVector(CString text, CString separators);

// The lines of a GBK (code page 936) text file read in text mode, cut at CR and LF by
// TokenizeToVector: trimmed, empty lines dropped, ending at the first blank line. No
// lines for a file that cannot be read.
std::vector<std::u16string> ReadGbkLines(const char* path);
