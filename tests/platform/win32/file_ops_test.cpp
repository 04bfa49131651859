#include "platform/win32/file_ops.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "platform/win32/crt_misc.h"
#include "platform/win32/profile.h"
#include "tests/support/killed_child.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using tw_test::Names;
using tw_test::ReadBytes;
using tw_test::WriteBytes;

TEST(FileOps, CopyFileHonoursFailIfExists) {
    tw_test::TempFolder folder;
    WriteBytes("config/a.txt", "new");
    WriteBytes("config/b.txt", "old");
    EXPECT_FALSE(CopyFileW(u".\\config\\a.txt", u".\\config\\b.txt", TRUE));
    EXPECT_EQ(ReadBytes("config/b.txt"), "old");
    EXPECT_TRUE(CopyFileW(u".\\config\\a.txt", u".\\config\\b.txt", FALSE));
    EXPECT_EQ(ReadBytes("config/b.txt"), "new");
    EXPECT_TRUE(CopyFileW(u".\\config\\a.txt", u".\\config\\c.txt", TRUE));
    EXPECT_EQ(ReadBytes("config/c.txt"), "new");
    EXPECT_FALSE(CopyFileW(u".\\config\\missing.txt", u".\\config\\d.txt", FALSE));
    EXPECT_FALSE(fs::exists("config/d.txt"));
}

// A read-only folder takes no new file, but a writable file in it is overwritten in place.
TEST(FileOps, CopyOntoReadOnlyFileOrAsNewFileOfReadOnlyFolderFails) {
    tw_test::TempFolder folder;
    WriteBytes("a.txt", "new");
    WriteBytes("ro.txt", "old");
    WriteBytes("locked/b.txt", "old");
    tw_test::MakeReadOnly("ro.txt");
    tw_test::MakeReadOnly("locked");
    EXPECT_FALSE(CopyFileW(u"a.txt", u"ro.txt", FALSE));
    EXPECT_FALSE(CopyFileW(u"a.txt", u"locked\\c.txt", FALSE));
    EXPECT_TRUE(CopyFileW(u"a.txt", u"locked\\b.txt", FALSE));
    EXPECT_EQ(ReadBytes("ro.txt"), "old");
    EXPECT_EQ(ReadBytes("locked/b.txt"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator("locked"), fs::directory_iterator()), 1);
}

TEST(FileOps, MoveFileFailsWhenTheDestinationExists) {
    tw_test::TempFolder folder;
    WriteBytes("a.txt", "a");
    WriteBytes("b.txt", "b");
    EXPECT_FALSE(MoveFileW(u"a.txt", u"b.txt"));
    EXPECT_EQ(ReadBytes("b.txt"), "b");
    EXPECT_TRUE(MoveFileW(u"a.txt", u"c.txt"));
    EXPECT_FALSE(fs::exists("a.txt"));
    EXPECT_EQ(ReadBytes("c.txt"), "a");
    EXPECT_FALSE(MoveFileW(u"a.txt", u"d.txt"));
}

TEST(FileReplace, TakesThePlaceOfATemporaryFileLeftBehind) {
    tw_test::TempFolder folder;
    struct Case {
        const char* name;
        std::function<bool()> replace;  // replaces target.txt with "new"
    };
    const Case cases[] = {
        {"CopyFileW", [] { return CopyFileW(u"source.txt", u"w\\target.txt", FALSE) == TRUE; }},
        {"profile write",
         [] { return WritePrivateProfileStringW(u"s", u"k", u"new", u"w\\target.txt") == TRUE; }},
    };
    WriteBytes("source.txt", "new");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all("w");
        WriteBytes("w/target.txt", "old");
        WriteBytes("w/target.txt.tarnwell-new", "half a file from a writer that was killed");
        fs::permissions("w/target.txt.tarnwell-new", fs::perms::owner_read);
        ASSERT_TRUE(c.replace());
        EXPECT_EQ(Names("w"), std::set<std::string>{"target.txt"});
        EXPECT_NE(ReadBytes("w/target.txt").find("new"), std::string::npos);
    }
}

// Writers killed at random moments leave the file whole, old or new, and at most the one
// temporary file, which the next write takes away.
TEST(FileReplace, KilledWritersLeaveTheFileWholeAndNoTemporaryFilesBehind) {
    tw_test::TempFolder folder;
    const std::u16string value(100000, u'v');  // long enough to be killed midway
    ASSERT_TRUE(WritePrivateProfileStringW(u"s", u"k", value.c_str(), u"a.ini"));
    const std::string whole = ReadBytes("a.ini");
    EXPECT_EQ(
        tw_test::CheckKilledWriters(
            "a.ini", whole, whole,
            [&value](int) { WritePrivateProfileStringW(u"s", u"k", value.c_str(), u"a.ini"); }),
        "");
    ASSERT_TRUE(WritePrivateProfileStringW(u"s", u"k", u"done", u"a.ini"));
    EXPECT_EQ(Names("."), std::set<std::string>{"a.ini"});
    EXPECT_EQ(ReadBytes("a.ini"), "[s]\r\nk=done\r\n");
}

TEST(CrtMisc, AccessUnlinkAndStat) {
    tw_test::TempFolder folder;
    WriteBytes("a.txt", "abc");
    WriteBytes("ro.txt", "x");
    fs::create_directory("sub");
    tw_test::MakeReadOnly("ro.txt");
    EXPECT_EQ(crt::_access("a.txt", 0), 0);
    EXPECT_EQ(crt::_waccess(u"sub", 0), 0);
    EXPECT_EQ(crt::_access("missing", 0), -1);
    EXPECT_EQ(crt::_access("ro.txt", 2), -1);
    EXPECT_EQ(crt::_unlink("ro.txt"), -1);
    EXPECT_EQ(crt::_unlink("sub"), -1);
    EXPECT_EQ(crt::_unlink("a.txt"), 0);
    EXPECT_EQ(crt::_unlink("a.txt"), -1);
    crt::StatRecord status;
    ASSERT_EQ(crt::_stat(".\\sub", &status), 0);
    EXPECT_EQ(status.st_mode & crt::_S_IFMT, crt::_S_IFDIR);
    ASSERT_EQ(crt::_stat("ro.txt", &status), 0);
    EXPECT_EQ(status.st_mode & crt::_S_IFMT, crt::_S_IFREG);
    EXPECT_EQ(crt::_stat("missing", &status), -1);
}

TEST(CrtMisc, WtolReadsLikeAWindowsLong) {
    struct Case {
        const char16_t* text;
        long want;
    } const cases[] = {
        {u"102", 102},
        {u"0102", 102},
        {u"+102abc", 102},
        {u" \t-5x", -5},
        {u"abc", 0},
        {u"", 0},
        {u"99999999999", 2147483647},
        {u"-99999999999", -2147483648L},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(crt::_wtol(c.text), c.want);
    }
}

}  // namespace
