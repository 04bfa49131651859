#include "platform/win32/codepage.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

namespace {

std::u16string Decode(UINT codePage, const std::string& bytes) {
    const int n =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(n), u'\0');
    EXPECT_EQ(n, MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                     out.data(), n));
    return out;
}

// The bytes as WideCharToMultiByte gives them; the size query must agree with the write.
std::string Encode(UINT codePage, const std::u16string& wide, BOOL* usedDefault = nullptr,
                   const char* defaultChar = nullptr) {
    const int size = static_cast<int>(wide.size());
    const int n =
        WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, defaultChar, usedDefault);
    std::string out(static_cast<size_t>(n), '\0');
    EXPECT_EQ(n, WideCharToMultiByte(codePage, 0, wide.data(), size, out.data(), n, defaultChar,
                                     usedDefault));
    return out;
}

std::string Map(DWORD flags, const std::string& gbk, LCID locale = 0x0804) {
    const int n = LCMapStringA(locale, flags, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::string out(static_cast<size_t>(n), '\0');
    EXPECT_EQ(n,
              LCMapStringA(locale, flags, gbk.data(), static_cast<int>(gbk.size()), out.data(), n));
    return out;
}

std::u16string MapWide(DWORD flags, const std::u16string& text) {
    std::u16string out(text.size(), u'\0');
    const int n = static_cast<int>(text.size());
    EXPECT_EQ(LCMapStringW(0x0804, flags, text.data(), n, out.data(), n), n);
    return out;
}

struct RoundTrip {
    const char* name;
    UINT codePage;
    std::string bytes;
    std::u16string wide;
};

const RoundTrip kRoundTrips[] = {
    {"ascii", 936, "Open file", u"Open file"},
    {"gbk", 936, "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4", u"简体中文"},
    {"ansi is gbk", CP_ACP, "\xD6\xD0\xCE\xC4", u"中文"},
    {"gbk euro", 936, "\x80", u"€"},
    {"big5", 950, "\xC2\xB2\xC5\xE9\xA4\xA4\xA4\xE5", u"簡體中文"},
    {"western", 1252, "Caf\xE9 \x80", u"Café €"},
    {"932 hiragana a", 932, "\x82\xA0", u"\u3042"},
    {"932 katakana and kanji", 932, "\x83\x52\x83\x8B \x8A\xC7\x97\x9D", u"コル 管理"},
    {"932 half-width katakana", 932, "\xB1", u"\uFF71"},
    {"949 hangul ga", 949, "\xB0\xA1", u"\uAC00"},
    {"437 c cedilla", 437, "\x80", u"\u00C7"},
    {"850 e acute", 850, "\x82", u"\u00E9"},
    {"874 thai ko kai", 874, "\xA1", u"\u0E01"},
    {"1250 s caron", 1250, "\x9A", u"\u0161"},
    {"1251 capital a", 1251, "\xC0", u"\u0410"},
    {"1253 alpha", 1253, "\xE1", u"\u03B1"},
    {"1254 dotless i", 1254, "\xFD", u"\u0131"},
    {"1255 alef", 1255, "\xE0", u"\u05D0"},
    {"1256 alef", 1256, "\xC7", u"\u0627"},
    {"1257 a ogonek", 1257, "\xE0", u"\u0105"},
    {"1258 d stroke", 1258, "\xF0", u"\u0111"},
    {"65001 han", CP_UTF8, "\xE6\xB1\x89", u"\u6C49"},
    {"65001 outside the bmp", CP_UTF8, "\xF0\x9F\x98\x80", u"\U0001F600"},
    {"65001 mark stays", CP_UTF8,
     "\xEF\xBB\xBF"
     "a",
     u"\uFEFFa"},
};

TEST(CodePage, DecodesAndEncodesInstalledCodePages) {
    for (const RoundTrip& c : kRoundTrips) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Decode(c.codePage, c.bytes), c.wide);
        EXPECT_EQ(Encode(c.codePage, c.wide), c.bytes);
    }
}

TEST(CodePage, TerminatedInputCountsTheTerminator) {
    EXPECT_EQ(MultiByteToWideChar(936, 0, "\xD6\xD0\xCE\xC4", -1, nullptr, 0), 3);
    char16_t wide[3];
    ASSERT_EQ(MultiByteToWideChar(936, 0, "\xD6\xD0\xCE\xC4", -1, wide, 3), 3);
    EXPECT_EQ(std::u16string(wide), u"中文");
    EXPECT_EQ(WideCharToMultiByte(936, 0, u"中文", -1, nullptr, 0, nullptr, nullptr), 5);
    EXPECT_EQ(MultiByteToWideChar(936, 0, "", -1, nullptr, 0), 1);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "\xE6\xB1\x89", -1, nullptr, 0), 2);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, u"汉", -1, nullptr, 0, nullptr, nullptr), 4);
}

TEST(CodePage, FailuresReturnZero) {
    char16_t wide[8];
    char bytes[8];
    BOOL used = FALSE;
    struct Case {
        const char* name;
        int got;
    } const cases[] = {
        {"no code page", MultiByteToWideChar(1033, 0, "a", -1, wide, 8)},
        {"encode no code page", WideCharToMultiByte(1033, 0, u"a", -1, bytes, 8, nullptr, nullptr)},
        {"gb18030 is not table-driven", MultiByteToWideChar(54936, 0, "a", -1, wide, 8)},
        {"utf-7 is not table-driven", MultiByteToWideChar(65000, 0, "a", -1, wide, 8)},
        {"utf-16 is no narrow code page", MultiByteToWideChar(1200, 0, "a", -1, wide, 8)},
        {"flags", MultiByteToWideChar(936, 1, "a", -1, wide, 8)},
        {"utf-8 flags", MultiByteToWideChar(CP_UTF8, 1, "a", -1, wide, 8)},
        {"null input", MultiByteToWideChar(936, 0, nullptr, -1, wide, 8)},
        {"zero length", MultiByteToWideChar(936, 0, "a", 0, wide, 8)},
        {"buffer too small", MultiByteToWideChar(936, 0, "abc", -1, wide, 3)},
        {"utf-8 buffer too small", MultiByteToWideChar(CP_UTF8, 0, "abc", -1, wide, 3)},
        {"encode buffer too small",
         WideCharToMultiByte(936, 0, u"中文", -1, bytes, 4, nullptr, nullptr)},
        // Windows takes no default character for UTF-8, nor asks whether one was used.
        {"utf-8 with a default character",
         WideCharToMultiByte(CP_UTF8, 0, u"a", -1, bytes, 8, "?", nullptr)},
        {"utf-8 with a used-default flag",
         WideCharToMultiByte(CP_UTF8, 0, u"a", -1, bytes, 8, nullptr, &used)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, 0);
    }
}

// Bytes that do not decode: the code page's default character U+003F in the table-driven
// code pages, U+FFFD in UTF-8.
TEST(CodePage, BytesThatDoNotDecode) {
    const RoundTrip cases[] = {
        {"936 lead byte alone", 936, "\xBA", u"?"},
        {"936 lead byte before NUL", 936, std::string("\xBF\xB4\xC7\x00\x78", 5),
         std::u16string(u"\u770B?\0x", 4)},
        // In 936 and 950 a lead byte takes the next byte along, whatever it is but NUL.
        {"936 lead byte before a blank", 936, "\xBA ", u"?"},
        {"936 four-byte GB18030 sequence", 936, "\x81\x30\x81\x30", u"??"},
        {"936 lead byte before 7F", 936, "\xA1\x7F", u"?"},
        {"950 lead byte before 7F", 950, "\xA1\x7F", u"?"},
        {"936 lead byte before FF", 936, "\x81\xFF", u"?"},
        {"950 lead byte before NUL", 950, std::string("\xA4\x00", 2), std::u16string(u"?\0", 2)},
        {"936 lead byte at the end", 936, "a\xD6", u"a?"},
        {"932 lead byte at the end", 932, "a\x81", u"a\u30FB"},
        {"932 unassigned pair, one for both", 932, "\x81\xADz", u"?z"},
        {"950 lead byte alone", 950, "\xA4", u"?"},
        {"932 byte it does not assign", 932, "\xFD", u"?"},
        {"1253 byte it does not assign", 1253, "\xD2", u"?"},
        {"65001 overlong", CP_UTF8, "\xC0\x80", u"\uFFFD\uFFFD"},
        {"65001 surrogate", CP_UTF8, "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
        {"65001 above U+10FFFF", CP_UTF8, "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},
        {"65001 cut off at the end", CP_UTF8, "\xE6\xB1", u"\uFFFD"},
        {"65001 cut off before ascii", CP_UTF8,
         "\xE6\xB1"
         "A",
         u"\uFFFDA"},
        {"65001 stray trail byte", CP_UTF8,
         "a\x80"
         "b",
         u"a\uFFFDb"},
        {"65001 byte that never occurs", CP_UTF8, "\xFF", u"\uFFFD"},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Decode(c.codePage, c.bytes), c.wide);
    }
}

struct Encoding {
    const char* name;
    UINT codePage;
    std::u16string wide;
    std::string bytes;
    BOOL usedDefault;
};

TEST(CodePage, DefaultCharacterForWhatTheCodePageLacks) {
    const Encoding cases[] = {
        {"950 simplified character", 950, u"发a", "?a", TRUE},
        {"936 surrogate pair, one per unit", 936, u"a\U0001F600b", "a??b", TRUE},
        {"1252 surrogate pair, one per unit", 1252, u"\U0001F600", "??", TRUE},
        {"936 lone surrogate", 936, u"\xD83D", "?", TRUE},
        {"936 has it", 936, u"中", "\xD6\xD0", FALSE},
        // ICU's windows-1252 has no best fit for U+0100; Windows gives "A" here.
        {"1252 a macron stays exact", 1252, u"\u0100", "?", TRUE},
        {"1252 a grave and a macron", 1252, u"\u00C0\u0100", "\xC0?", TRUE},
    };
    for (const Encoding& c : cases) {
        SCOPED_TRACE(c.name);
        BOOL used = !c.usedDefault;
        EXPECT_EQ(Encode(c.codePage, c.wide, &used), c.bytes);
        EXPECT_EQ(used, c.usedDefault);
    }
    EXPECT_EQ(WideCharToMultiByte(936, 0, u"\U0001F600", 2, nullptr, 0, nullptr, nullptr), 2);
}

TEST(CodePage, TheCallersDefaultCharacter) {
    struct Case {
        const char* name;
        UINT codePage;
        const char* defaultChar;
        std::string want;
    };
    const Case cases[] = {
        {"one byte", 936, "#", "##"},
        {"a double-byte character", 936, "\xA3\xBF", "\xA3\xBF\xA3\xBF"},  // full-width "？"
        {"only the first byte that is no lead byte", 936, "ab", "aa"},
        {"single-byte code page", 1252, "ab", "aa"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Encode(c.codePage, u"\U0001F600", nullptr, c.defaultChar), c.want);
    }
}

TEST(CodePage, Utf8EncodesEveryUnit) {
    const Encoding cases[] = {
        {"pair", CP_UTF8, u"\U0001F600", "\xF0\x9F\x98\x80", FALSE},
        {"han", CP_UTF8, u"汉", "\xE6\xB1\x89", FALSE},
        {"lone high surrogate", CP_UTF8,
         u"\xD83D"
         "a",
         "\xEF\xBF\xBD"
         "a",
         FALSE},
        {"lone low surrogate", CP_UTF8, u"\xDE00", "\xEF\xBF\xBD", FALSE},
        {"reversed pair", CP_UTF8, u"\xDE00\xD83D", "\xEF\xBF\xBD\xEF\xBF\xBD", FALSE},
    };
    for (const Encoding& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Encode(c.codePage, c.wide), c.bytes);
    }
}

TEST(CodePage, BestFitFallbackBeforeTheDefaultCharacter) {
    BOOL used = TRUE;
    const std::string bytes = Encode(936, u"\u00B5", &used);  // MICRO SIGN
    EXPECT_FALSE(used) << "ICU's windows-936 table has a fallback for U+00B5";
    EXPECT_NE(bytes, "?");
}

// The first use of a code page builds its table once, whichever threads ask at once.
TEST(CodePage, FirstUseFromManyThreads) {
    std::vector<std::u16string> results(8);
    std::vector<std::thread> threads;
    for (std::u16string& result : results) {
        threads.emplace_back([&result] { result = Decode(10007, "\x80\x81"); });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    for (const std::u16string& result : results) {
        EXPECT_EQ(result, u"\u0410\u0411");  // Mac Cyrillic
    }
}

bool Installed(UINT codePage) {
    return MultiByteToWideChar(codePage, 0, "a", 1, nullptr, 0) == 1;
}

// The code pages that codepage.h names, and no other, with the ICU of this build.
TEST(CodePage, InstalledCodePagesAreThoseTheHeaderNames) {
    std::set<UINT> want{437,   720,   737,   775,   850,   852,   855,   857,   858,   861,
                        862,   866,   869,   874,   932,   936,   949,   950,   10000, 10006,
                        10007, 10029, 10081, 20127, 20866, 21866, 28603, 28605, 51949, 65001};
    for (UINT page = 1250; page <= 1258; ++page) {
        want.insert(page);
    }
    for (UINT page = 28592; page <= 28599; ++page) {
        want.insert(page);
    }
    std::set<UINT> got;
    for (UINT page = 1; page <= 0xFFFF; ++page) {
        if (Installed(page)) {
            got.insert(page);
        }
    }
    EXPECT_EQ(got, want);
    EXPECT_TRUE(Installed(CP_ACP));
}

struct Mapping {
    const char* name;
    DWORD flags;
    std::string in;
    std::string out;
};

const Mapping kMappings[] = {
    {"to traditional", LCMAP_TRADITIONAL_CHINESE, "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4",
     "\xBA\x86\xF3\x77\xD6\xD0\xCE\xC4"},                                            // 简体中文
    {"hou tai", LCMAP_TRADITIONAL_CHINESE, "\xBA\xF3\xCC\xA8", "\xE1\xE1\xCC\xA8"},  // 后台
    {"fa", LCMAP_TRADITIONAL_CHINESE, "\xB7\xA2", "\xB0\x6C"},                       // 发
    {"qi dong fu wu", LCMAP_TRADITIONAL_CHINESE, "\xC6\xF4\xB6\xAF\xB7\xFE\xCE\xF1",
     "\x86\xA2\x84\xD3\xB7\xFE\x84\xD5"},  // 启动服务 -> 啟動服務
    {"to simplified", LCMAP_SIMPLIFIED_CHINESE, "\xBA\x86\xF3\x77\xD6\xD0\xCE\xC4",
     "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4"},
    {"fa hair", LCMAP_SIMPLIFIED_CHINESE, "\xF3\x8C", "\xB7\xA2"},  // 髮
    {"ascii", LCMAP_SIMPLIFIED_CHINESE, "Save as... 1=2", "Save as... 1=2"},
    {"lead byte alone", LCMAP_SIMPLIFIED_CHINESE, "a\xBA", "a?"},
};

TEST(LCMapString, MapsBetweenSimplifiedAndTraditional) {
    for (const Mapping& c : kMappings) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Map(c.flags, c.in), c.out);
        EXPECT_EQ(Map(c.flags, c.in, 0x20804), c.out);
    }
}

TEST(LCMapString, TerminatedInputAndFailures) {
    EXPECT_EQ(LCMapStringA(0x0804, LCMAP_TRADITIONAL_CHINESE, "\xB7\xA2", -1, nullptr, 0), 3);
    char out[8] = {};
    EXPECT_EQ(LCMapStringA(0x0804, LCMAP_TRADITIONAL_CHINESE, "\xB7\xA2", -1, out, 8), 3);
    EXPECT_STREQ(out, "\xB0\x6C");
    EXPECT_EQ(LCMapStringA(0x0404, LCMAP_SIMPLIFIED_CHINESE, "a", -1, out, 8), 0);
    EXPECT_EQ(
        LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE | LCMAP_TRADITIONAL_CHINESE, "a", -1, out, 8),
        0);
    EXPECT_EQ(LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE, "a", 0, out, 8), 0);
    EXPECT_EQ(LCMapStringA(0x0804, LCMAP_SIMPLIFIED_CHINESE, "abc", -1, out, 3), 0);
}

// Where the first traditional form lies outside Big5, the Big5 form that simplifies back.
TEST(LCMapString, TraditionalFormsThatBig5Has) {
    struct Case {
        const char* name;
        std::u16string simplified;
        std::u16string traditional;
    };
    const Case cases[] = {
        {"qi", u"启", u"啟"},    {"gou", u"钩", u"鉤"},  {"bo", u"钵", u"缽"},
        {"shu", u"竖", u"豎"},   {"tao", u"绦", u"絛"},  {"yun", u"酝", u"醞"},
        {"yan", u"赝", u"贗"},   {"jian", u"谫", u"譾"}, {"shang", u"绱", u"鞝"},
        {"jiang", u"缰", u"韁"}, {"ji", u"赍", u"齎"},   {"mian", u"腼", u"靦"},
        {"lou", u"瘘", u"瘺"},   {"e", u"鳄", u"鱷"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MapWide(LCMAP_TRADITIONAL_CHINESE, c.simplified), c.traditional);
        EXPECT_EQ(MapWide(LCMAP_SIMPLIFIED_CHINESE, c.traditional), c.simplified);
        EXPECT_EQ(Decode(950, Encode(950, c.traditional)), c.traditional);
    }
}

bool InBig5(char16_t c) {
    BOOL used = TRUE;
    const std::string bytes = Encode(950, std::u16string(1, c), &used);
    return !used && Decode(950, bytes) == std::u16string(1, c);
}

// No GB2312 hanzi maps to a form outside Big5 while a Big5 character simplifies to it.
TEST(LCMapString, NoGb2312HanziMissesABig5FormThatMapsBack) {
    std::set<char16_t> simplifiedOfBig5;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            const std::u16string c =
                Decode(950, {static_cast<char>(lead), static_cast<char>(trail)});
            if (c.size() == 1 && c != u"?") {
                simplifiedOfBig5.insert(MapWide(LCMAP_SIMPLIFIED_CHINESE, c)[0]);
            }
        }
    }
    int hanzi = 0;
    for (int row = 0xB0; row <= 0xF7; ++row) {
        for (int cell = 0xA1; cell <= 0xFE; ++cell) {
            const std::u16string s = Decode(936, {static_cast<char>(row), static_cast<char>(cell)});
            if (s.size() != 1 || s[0] < 0x4E00 || s[0] > 0x9FFF) {
                continue;
            }
            ++hanzi;
            const char16_t traditional = MapWide(LCMAP_TRADITIONAL_CHINESE, s)[0];
            SCOPED_TRACE(static_cast<int>(s[0]));
            EXPECT_TRUE(InBig5(traditional) || simplifiedOfBig5.count(s[0]) == 0);
        }
    }
    EXPECT_EQ(hanzi, 6763);
}

}  // namespace
