// The tables that ICU's Windows code-page converters and its Han script transliterators
// give, built anew on every call (FindCodePageTable and ChineseScriptMap keep them).
#pragma once

#include <memory>
#include <vector>

#include "platform/win32/detail/codepage_tables.h"

namespace win32::detail {

// The table of the Windows code page that ICU names "windows-<codePage>", when ICU has it
// as a single- or double-byte table; else null.
std::unique_ptr<CodePageTable> BuildCodePageTable(unsigned codePage);

// Every character with an exact GBK form, put through the transliterator "Hans-Hant"
// (toTraditional) or "Hant-Hans" on its own: a unit-to-unit map that keeps a character
// whose result is not one character with an exact GBK form.
std::vector<char16_t> TransliterateGbk(const CodePageTable& gbk, bool toTraditional);

}  // namespace win32::detail
