#include "platform/mfc/cstring.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<std::u16string> AllTokens(const CString& text, const char16_t* separators) {
    std::vector<std::u16string> tokens;
    int position = 0;
    for (CString t = text.Tokenize(separators, position); position != -1;
         t = text.Tokenize(separators, position)) {
        tokens.push_back(t.str());
    }
    return tokens;
}

TEST(CString, TokenizeSkipsRunsOfSeparators) {
    using V = std::vector<std::u16string>;
    EXPECT_EQ(AllTokens(u";;a;;b;", u";"), (V{u"a", u"b"}));
    EXPECT_EQ(AllTokens(u"a\r\n\r\nb", u"\r\n"), (V{u"a", u"b"}));
    EXPECT_EQ(AllTokens(u";;;", u";"), V{});
    EXPECT_EQ(AllTokens(u"", u";"), V{});
    int position = 0;
    EXPECT_EQ(CString(u"x;y").Tokenize(u";", position), u"x");
    EXPECT_EQ(position, 2);
}

TEST(CString, TrimUsesWideSpaceClassification) {
    CString text(u"\u3000\t a b\u00A0\r\n");
    EXPECT_EQ(text.Trim(), u"a b");
    CString kept(u"\u200Bx\u0085");  // zero-width space and NEL are no white space here
    EXPECT_EQ(kept.Trim(), u"\u200Bx\u0085");
}

TEST(CString, ReplaceAllOccurrences) {
    CString path(u"C:/a/b");
    EXPECT_EQ(path.Replace(u"/", u"\\"), 2);
    EXPECT_EQ(path, u"C:\\a\\b");
    CString same(u"aaa");
    EXPECT_EQ(same.Replace(u"aa", u"a"), 1);
    EXPECT_EQ(same, u"aa");
    EXPECT_EQ(same.Replace(u"", u"x"), 0);
}

}  // namespace
