#include "foundation/whole_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/mfc/exceptions.h"
#include "tests/support/temp_folder.h"

namespace {

using tw_test::ReadBytes;
using tw_test::WriteBytes;

struct ReadCase {
    const char* name;
    std::string bytes;
    std::string text;
};

TEST(ReadTextFile, TextModeInChunks) {
    tw_test::TempFolder folder;
    const std::string chunk(1023, 'a');
    const ReadCase cases[] = {
        {"cr lf", "a\r\nb", "a\nb"},
        {"ctrl z",
         "ab\x1A"
         "cd",
         "ab"},
        {"zero byte drops the rest of its chunk",
         std::string("ab\0cd", 5) + chunk.substr(5) + "next", "abnext"},
        {"long file", chunk + chunk + "z", chunk + chunk + "z"},
        {"empty", "", ""},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("config/t.txt", c.bytes);
        EXPECT_EQ(ReadTextFile(".\\config\\t.txt"), c.text);
    }
    EXPECT_EQ(ReadTextFile("missing.txt"), "");
}

TEST(ReadUtf16File, UnitsAsStoredWithTheMark) {
    tw_test::TempFolder folder;
    WriteBytes("u.txt", std::string("\xFF\xFE"
                                    "A\0",
                                    4));
    EXPECT_EQ(ReadUtf16File(u"u.txt"), u"\uFEFFA");
    WriteBytes("u.txt", std::string("\xFF\xFE"
                                    "A\0\r\0\n\0B",
                                    9));
    EXPECT_EQ(ReadUtf16File(u"u.txt"), u"\uFEFFA\r\n") << "binary; odd last byte ignored";
    WriteBytes("u.txt", "");
    EXPECT_EQ(ReadUtf16File(u"u.txt"), u"");
    EXPECT_EQ(ReadUtf16File(u"missing.txt"), u"");
}

TEST(WriteUtf16File, LeavesExactlyTheMarkAndTheText) {
    tw_test::TempFolder folder;
    WriteBytes("u.txt", std::string(100, 'x'));
    EXPECT_TRUE(WriteUtf16File(u"u.txt", CString(u"AB")));
    EXPECT_EQ(ReadBytes("u.txt"), std::string("\xFF\xFE"
                                              "A\0B\0",
                                              6));
    WriteUtf16File(u"u.txt", CString(u"\u4E2D\n"));
    EXPECT_EQ(ReadBytes("u.txt"), std::string("\xFF\xFE\x2D\x4E\n\0", 6)) << "no CR added";
    WriteUtf16File(u"u.txt", CString());
    EXPECT_EQ(ReadBytes("u.txt"), "\xFF\xFE");
    EXPECT_FALSE(WriteUtf16File(u"no\\such\\u.txt", CString(u"AB")));
    EXPECT_FALSE(std::filesystem::exists("no"));
}

TEST(WriteUtf16File, FailedWriteRaisesFileException) {
    EXPECT_THROW(WriteUtf16File(u"/dev/full", CString(u"AB")), CFileException);
}

TEST(WriteBytesFile, WritesExactlyTheData) {
    tw_test::TempFolder folder;
    WriteBytes("config/flag.txt", "previous content");
    EXPECT_EQ(WriteBytesFile(".\\config\\flag.txt", "wb", "1"), 0);
    EXPECT_EQ(ReadBytes("config/flag.txt"), "1");
    EXPECT_EQ(WriteBytesFile("z.bin", "wb", std::string("a\0b", 3)), 0);
    EXPECT_EQ(ReadBytes("z.bin"), std::string("a\0b", 3));
    EXPECT_EQ(WriteBytesFile("no\\such\\flag.txt", "wb", "1"), -1);
    EXPECT_EQ(WriteBytesFile("/dev/full", "wb", "1"), -1) << "a write that is not stored";
}

}  // namespace
