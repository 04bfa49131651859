// Conversion of the host product's own text files between code pages 936 and 950.
#pragma once

// Rewrites the product's settings, shell and SQL files (and the shortcut-name file)
// line by line from one code page to the other: 936 to 950 makes every character
// simplified, then traditional in Big5; 950 to 936 makes them simplified in GBK. From
// 936 to 950 it also regenerates the translation file from the full resource list, in
// traditional characters. Any other pair changes nothing.
//
// Each file is replaced atomically and ends as it did; a file that cannot be read whole
// (or holds a zero byte or Ctrl-Z, which a text read would drop) is left alone. Returns
// false when some existing file could not be converted or the translation file could not
// be written; every other file is converted all the same.
bool ConvertProductTexts(int fromCodePage, int toCodePage);
