#include "foundation/text_conversion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/tokenize.h"

namespace {

TEST(MultiByteToWString, DecodesInTheCodePage) {
    EXPECT_EQ(MultiByteToWString("\xD6\xD0\xCE\xC4", 936), u"中文");
    EXPECT_EQ(MultiByteToWString("\xD6\xD0\xCE\xC4", 0), u"中文");
    EXPECT_EQ(MultiByteToWString("\xA4\xA4\xA4\xE5", 950), u"中文");
    EXPECT_EQ(MultiByteToWString("", 936), u"");
    EXPECT_EQ(MultiByteToWString("abc", 1033), u"") << "code page not installed";
}

// GBK of "中文" is 4 bytes; the buffer needs one more for the terminator.
struct FitCase {
    const char* name;
    std::u16string text;
    int size;
    std::string want;
};

const FitCase kFits[] = {
    {"exact fit", u"中文", 5, "\xD6\xD0\xCE\xC4"},
    {"one byte short", u"中文", 4, ""},
    {"roomy", u"中文", 16, "\xD6\xD0\xCE\xC4"},
    {"mark skipped", u"\uFEFF中文", 5, "\xD6\xD0\xCE\xC4"},
    {"only a mark", u"\uFEFF", 8, ""},
    {"second mark kept as ?", u"\uFEFF\uFEFFa", 8, "?a"},
    {"no gbk form, one ? per unit", u"a\U0001F600", 8, "a??"},
    {"empty", u"", 8, ""},
};

TEST(WideToGbk, FitsOrGivesTheEmptyText) {
    for (const FitCase& c : kFits) {
        SCOPED_TRACE(c.name);
        std::vector<char> buffer(static_cast<size_t>(c.size), 'X');
        EXPECT_EQ(WideToGbk(c.text.c_str(), c.size, buffer.data()), buffer.data());
        EXPECT_EQ(std::string(buffer.data(), strnlen(buffer.data(), buffer.size())), c.want);
        for (size_t i = c.want.size(); i < buffer.size(); ++i) {
            ASSERT_EQ(buffer[i], '\0') << "byte " << i;
        }
    }
}

struct TokenCase {
    const char* name;
    std::u16string text;
    std::u16string separators;
    std::vector<std::u16string> tokens;
};

const TokenCase kTokens[] = {
    {"runs of separators",
     u"936:简体中文;;;950:繁體中文;",
     u";",
     {u"936:简体中文", u"950:繁體中文"}},
    {"trimmed", u"  a ;\t b\u3000", u";", {u"a", u"b"}},
    {"blank token stops", u"a;  ;c", u";", {u"a"}},
    {"empty lines", u"\r\n\r\nx=1\r\n\r\ny=2\n\n", u"\r\n", {u"x=1", u"y=2"}},
    {"blank line stops", u"a\n   \nb", u"\r\n", {u"a"}},
    {"empty", u"", u";", {}},
    {"blank only", u" \t ", u";", {}},
};

TEST(TokenizeToVector, TrimmedTokensUpToTheFirstBlankOne) {
    for (const TokenCase& c : kTokens) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TokenizeToVector(CString(c.text), CString(c.separators)), c.tokens);
    }
}

}  // namespace
