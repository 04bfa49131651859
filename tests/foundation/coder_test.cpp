#include "foundation/coder.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Takes ownership of a Coder result; nullopt-like "<null>" for a null one.
template <typename Unit>
std::basic_string<Unit> Take(Unit* array, bool* wasNull = nullptr) {
    std::unique_ptr<Unit[]> owned(array);
    if (wasNull != nullptr) {
        *wasNull = array == nullptr;
    }
    return array != nullptr ? std::basic_string<Unit>(array) : std::basic_string<Unit>();
}

// GBK and Big5 bytes of the texts used below.
const std::string kGbkSimplified = "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4";    // 简体中文
const std::string kGbkTraditional = "\xBA\x86\xF3\x77\xD6\xD0\xCE\xC4";   // 簡體中文
const std::string kBig5Traditional = "\xC2\xB2\xC5\xE9\xA4\xA4\xA4\xE5";  // 簡體中文

struct Case {
    const char* name;
    std::string in;
    std::string out;
};

TEST(Coder, GbToBig5GivesTraditionalBig5) {
    const Case cases[] = {
        {"simplified", kGbkSimplified, kBig5Traditional},
        {"traditional already", kGbkTraditional, kBig5Traditional},
        {"hou tai", "\xBA\xF3\xCC\xA8", "\xAB\xE1\xA5\x78"},  // 后台 -> 後台
        {"fa", "\xB7\xA2", "\xB5\x6F"},                       // 发 -> 發
        {"ascii", "key=Open [str]", "key=Open [str]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Take(Coder::GbToBig5(c.in.c_str())), c.out);
    }
}

TEST(Coder, Big5ToGbSimplifiedGivesSimplifiedGbk) {
    const Case cases[] = {
        {"traditional", kBig5Traditional, kGbkSimplified},
        {"hou tai", "\xAB\xE1\xA5\x78", "\xBA\xF3\xCC\xA8"},
        {"fa", "\xB5\x6F", "\xB7\xA2"},
        {"ascii", "a = b", "a = b"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool wasNull = true;
        EXPECT_EQ(Take(Coder::Big5ToGbSimplified(c.in.c_str()), &wasNull), c.out);
        EXPECT_FALSE(wasNull);
    }
}

TEST(Coder, GbToSimplified) {
    EXPECT_EQ(Take(Coder::GbToSimplified(kGbkTraditional.c_str())), kGbkSimplified);
    EXPECT_EQ(Take(Coder::GbToSimplified(kGbkSimplified.c_str())), kGbkSimplified);
    EXPECT_EQ(Take(Coder::GbToSimplified("Open")), "Open");
    bool wasNull = false;
    Take(Coder::GbToSimplified(""), &wasNull);
    EXPECT_TRUE(wasNull);
}

// Where the first traditional form is not in Big5, the Big5 form that simplifies back
// (啟 for 启, 鉤 for 钩) comes out, not "?".
TEST(Coder, RoundTripThroughBothScripts) {
    const Case cases[] = {
        {"jian ti zhong wen", kGbkSimplified, kBig5Traditional},
        {"qi dong fu wu", "\xC6\xF4\xB6\xAF\xB7\xFE\xCE\xF1",
         "\xB1\xD2\xB0\xCA\xAA\x41\xB0\xC8"},                // 启动服务 -> 啟動服務
        {"gou zi", "\xB9\xB3\xD7\xD3", "\xB9\x5F\xA4\x6C"},  // 钩子 -> 鉤子
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<char[]> simplified(Coder::GbToSimplified(c.in.c_str()));
        const std::string there = Take(Coder::GbToBig5(simplified.get()));
        EXPECT_EQ(there, c.out);
        EXPECT_EQ(Take(Coder::Big5ToGbSimplified(there.c_str())), c.in);
    }
}

TEST(Coder, EmptyAndNullInputs) {
    bool wasNull = true;
    EXPECT_EQ(Take(Coder::GbToBig5(nullptr), &wasNull), "");
    EXPECT_FALSE(wasNull);
    EXPECT_EQ(Take(Coder::GbToBig5(""), &wasNull), "");
    EXPECT_FALSE(wasNull);
}

TEST(Coder, UnknownCodePageGivesNull) {
    bool wasNull = false;
    Take(Coder::BytesToUtf16(1033, "abc"), &wasNull);
    EXPECT_TRUE(wasNull);
    Take(Coder::Utf16ToBytes(1033, u"abc"), &wasNull);
    EXPECT_TRUE(wasNull);
    EXPECT_EQ(Take(Coder::BytesToUtf16(936, "\xD6\xD0")), u"中");
    EXPECT_EQ(Take(Coder::Utf16ToBytes(950, u"发")), "?") << "Big5 default character";
}

}  // namespace
