#include "foundation/byte_strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Pieces = std::vector<std::string>;

struct SplitCase {
    const char* name;
    std::string text;
    const char* delimiters;
    bool keep;
    Pieces pieces;
};

const SplitCase kSplits[] = {
    {"empty", "", "\r\n", false, {""}},
    {"empty kept", "", "*?", true, {""}},
    {"no delimiter", "abc", "\r\n", false, {"abc"}},
    {"two lines", "a\r\nb", "\r\n", false, {"a", "", "b"}},
    {"line then break", "a\r\n", "\r\n", false, {"a", "", ""}},
    {"lone star", "*", "*?", true, {"", "*", ""}},
    {"pattern", "a*b?c", "*?", true, {"a", "*", "b", "?", "c"}},
    {"star dot ini", "*.ini", "*?", true, {"", "*", ".ini"}},
    {"leading delimiter", "\nx", "\r\n", false, {"", "x"}},
};

TEST(SplitAtAny, PieceCounts) {
    for (const SplitCase& c : kSplits) {
        SCOPED_TRACE(c.name);
        Pieces pieces = {"stale", "pieces"};
        SplitAtAny(pieces, c.text, c.delimiters, c.keep);
        EXPECT_EQ(pieces, c.pieces);
        if (c.keep) {
            EXPECT_EQ(SplitKeepDelimiters(c.text, c.delimiters), c.pieces);
        }
    }
}

TEST(ReplaceAll, LeftToRightWithoutOverlap) {
    EXPECT_EQ(ReplaceAll(".\\config\\ui", "\\", "/"), "./config/ui");
    EXPECT_EQ(ReplaceAll("./config", "\\", "/"), "./config");
    EXPECT_EQ(ReplaceAll("aaaa", "aa", "a"), "aa");
    EXPECT_EQ(ReplaceAll("abc", "c", "cc"), "abcc");
}

TEST(ToLower, AsciiLettersOnly) {
    EXPECT_EQ(ToLowerAscii("Static.INI 09"), "static.ini 09");
    EXPECT_EQ(ToLowerAscii("\x81\x41\xC4"), "\x81\x61\xC4") << "a GBK trail byte A is lowered";
    EXPECT_EQ(ToLowerWide(u"ACE.DLL \u00C4"), u"ace.dll \u00C4");
    EXPECT_EQ(ToLowerWide(std::u16string(u"AB\0CD", 5)), u"ab");
}

}  // namespace
