// Conversion of the host product's own text files between code pages 936 and 950.
#pragma once

class PlannedFiles;

// Plans the new bytes of the product's settings, shell and SQL files (and the
// shortcut-name file), read as files already holds them: line by line from one code page
// to the other, 936 to 950 making every character simplified, then traditional in Big5,
// 950 to 936 making them simplified in GBK. From 936 to 950 the translation file becomes
// the full resource list in traditional characters; with no full resource list, or an
// empty one, it stays as planned (holding only the mark FF FE when there is none). Any
// other pair plans nothing.
//
// A file keeps its encoding and its line ends: one that starts with FF FE is UTF-16, one
// with EF BB BF is UTF-8, and only their characters change script. A file that is not
// text in the code page being left stays as it is: a narrow one holding a zero byte or
// Ctrl-Z (which a text read would cut), or one without a mark whose bytes are valid UTF-8
// with at least one character of three or more bytes (real GBK or Big5 text almost never
// is), so that it is never garbled.
//
// False when some file to be converted cannot be read: nothing may be changed then.
//
// kLeave leaves the data-dictionary SQL file out: the language switch has restored the
// entered language's own copy, which is in its code page and script already.
enum class DataDictionary { kConvert, kLeave };
bool ConvertProductTexts(int fromCodePage, int toCodePage, PlannedFiles& files,
                         DataDictionary dataDictionary = DataDictionary::kConvert);
