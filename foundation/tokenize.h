// Cutting a text into trimmed tokens.
#pragma once

#include <string>
#include <vector>

#include "platform/mfc/cstring.h"

// The tokens of the text between runs of separator characters, each trimmed of white
// space at both ends, in order. The first token that is blank after trimming ends the
// list: it and every later token are dropped.
std::vector<std::u16string> TokenizeToVector(CString text, CString separators);
