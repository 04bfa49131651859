// Converts Chinese text between GBK (code page 936) and Big5 (950), and between
// simplified and traditional characters, with the platform's code pages and its Chinese
// locale mapping. Every result is a new NUL-terminated array from the array form of new,
// which the caller releases with delete[]; a null result owns nothing.
#pragma once

class Coder {
  public:
    virtual ~Coder() = default;

    // The bytes decoded from the code page, or null when the conversion fails.
    static char16_t* BytesToUtf16(int codePage, const char* bytes);
    // The text in the code page (its default character for what it lacks), or null.
    static char* Utf16ToBytes(int codePage, const char16_t* wide);
    // GBK text with every character simplified; null for the empty text or a failure.
    static char* GbToSimplified(const char* gbk);
    // GBK text (null: the empty text) with traditional characters, in Big5; null only
    // when a conversion fails.
    static char* GbToBig5(const char* gbk);
    // Big5 text with simplified characters, in GBK; the empty text on failure, never null.
    static char* Big5ToGbSimplified(const char* big5);
};
