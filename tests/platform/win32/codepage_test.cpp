#include "platform/win32/codepage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Decode(UINT codePage, const std::string& bytes) {
    const int n =
        MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::u16string out(static_cast<size_t>(n), u'\0');
    EXPECT_EQ(n, MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                     out.data(), n));
    return out;
}

std::string Encode(UINT codePage, const std::u16string& wide, BOOL* usedDefault = nullptr) {
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, usedDefault);
    std::string out(static_cast<size_t>(n), '\0');
    EXPECT_EQ(n, WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                     out.data(), n, nullptr, usedDefault));
    return out;
}

std::string Map(DWORD flags, const std::string& gbk, LCID locale = 0x0804) {
    const int n = LCMapStringA(locale, flags, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::string out(static_cast<size_t>(n), '\0');
    EXPECT_EQ(n,
              LCMapStringA(locale, flags, gbk.data(), static_cast<int>(gbk.size()), out.data(), n));
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
}

TEST(CodePage, FailuresReturnZero) {
    char16_t wide[8];
    char bytes[8];
    struct Case {
        const char* name;
        int got;
    } const cases[] = {
        {"code page not installed", MultiByteToWideChar(437, 0, "a", -1, wide, 8)},
        {"encode code page not installed",
         WideCharToMultiByte(65001, 0, u"a", -1, bytes, 8, nullptr, nullptr)},
        {"flags", MultiByteToWideChar(936, 1, "a", -1, wide, 8)},
        {"null input", MultiByteToWideChar(936, 0, nullptr, -1, wide, 8)},
        {"zero length", MultiByteToWideChar(936, 0, "a", 0, wide, 8)},
        {"buffer too small", MultiByteToWideChar(936, 0, "abc", -1, wide, 3)},
        {"encode buffer too small",
         WideCharToMultiByte(936, 0, u"中文", -1, bytes, 4, nullptr, nullptr)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.got, 0);
    }
}

TEST(CodePage, InvalidBytesBecomeReplacementCharacters) {
    // A lead byte before a byte that cannot trail stands alone; a lead at the end too.
    EXPECT_EQ(Decode(936,
                     "\x81"
                     "0"),
              u"\uFFFD0");
    EXPECT_EQ(Decode(936, "a\xD6"), u"a\uFFFD");
    EXPECT_EQ(Decode(936, std::string("\xD6\0", 2)), std::u16string(u"\uFFFD\0", 2));
}

TEST(CodePage, DefaultCharacterForWhatTheCodePageLacks) {
    BOOL used = FALSE;
    EXPECT_EQ(Encode(950, u"发a", &used), "?a");  // no simplified form in Big5
    EXPECT_TRUE(used);
    EXPECT_EQ(Encode(936, u"a\U0001F600b", &used), "a?b");  // one mark for the pair
    EXPECT_TRUE(used);
    Encode(936, u"中", &used);
    EXPECT_FALSE(used);
    char bytes[4] = {};
    EXPECT_EQ(WideCharToMultiByte(936, 0, u"\U0001F600", 2, bytes, 4, "#", nullptr), 1);
    EXPECT_EQ(bytes[0], '#');
}

TEST(CodePage, BestFitFallbackBeforeTheDefaultCharacter) {
    BOOL used = TRUE;
    const std::string bytes = Encode(936, u"\u00B5", &used);  // MICRO SIGN
    EXPECT_FALSE(used) << "ICU's windows-936 table has a fallback for U+00B5";
    EXPECT_NE(bytes, "?");
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
    {"to simplified", LCMAP_SIMPLIFIED_CHINESE, "\xBA\x86\xF3\x77\xD6\xD0\xCE\xC4",
     "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4"},
    {"fa hair", LCMAP_SIMPLIFIED_CHINESE, "\xF3\x8C", "\xB7\xA2"},  // 髮
    {"ascii", LCMAP_SIMPLIFIED_CHINESE, "Save as... 1=2", "Save as... 1=2"},
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

}  // namespace
