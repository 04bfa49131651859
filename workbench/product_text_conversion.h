// Conversion of the host product's own text files between code pages 936 and 950.
#pragma once

// Rewrites the product's settings, shell and SQL files (and the shortcut-name file)
// line by line from one code page to the other: 936 to 950 makes every character
// simplified, then traditional in Big5; 950 to 936 makes them simplified in GBK. From
// 936 to 950 it also regenerates the translation file from the full resource list, in
// traditional characters. Any other pair changes nothing.
//
// A file that starts with the mark FF FE is UTF-16 and stays so: only its characters
// change script. Each file is replaced atomically (rewritten in place when its folder
// is read-only) and ends as it did; a file that cannot be read whole, or a narrow one
// holding a zero byte or Ctrl-Z (which a text read would drop), is left alone. Returns
// false when some existing file could not be converted or the translation file could not
// be written; every other file is converted all the same.
//
// kLeave leaves the data-dictionary SQL file out: the language switch has restored the
// entered language's own copy, which is in its code page and script already.
enum class DataDictionary { kConvert, kLeave };
bool ConvertProductTexts(int fromCodePage, int toCodePage,
                         DataDictionary dataDictionary = DataDictionary::kConvert);
