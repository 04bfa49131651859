#include "foundation/whole_file.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <set>
#include <string>

#include "foundation/staged_files.h"
#include "platform/mfc/exceptions.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/killed_child.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;
using tw_test::Names;
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

TEST(WriteUtf16File, AWriteThatFailsMidwayRaisesAndKeepsTheOldFile) {
    tw_test::TempFolder folder;
    WriteBytes("u.txt", "old");
    {
        const tw_test::FileSizeLimit fullDisk(64);
        EXPECT_THROW(WriteUtf16File(u"u.txt", CString(std::u16string(100, u'x'))), CFileException);
    }
    EXPECT_EQ(ReadBytes("u.txt"), "old");
    EXPECT_FALSE(fs::exists("u.txt.tarnwell-new"));
}

TEST(ReadFileBytes, EveryByteAsStored) {
    tw_test::TempFolder folder;
    const std::string bytes = std::string("a\r\n\0\x1A", 5) + std::string(70000, 'b');
    WriteBytes("config/raw.bin", bytes);
    std::string read = "stale";
    EXPECT_TRUE(ReadFileBytes(u".\\config\\raw.bin", read));
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(ReadFileBytes(u"missing.bin", read));
}

// Where the new bytes land, and what is left of the old ones when they cannot.
TEST(ReplaceFileBytes, TheFileHoldsItsOldOrItsNewBytes) {
    struct Case {
        const char* name;
        std::function<void()> prepare;  // in a folder holding "folder/file" = "old"
        std::optional<std::uint64_t> fileSizeLimit;
        FileWrite want;
        const char* after;  // null: no file
    };
    const auto readOnly = [](const char* path) { return [path] { tw_test::MakeReadOnly(path); }; };
    const Case cases[] = {
        {"replaced", [] {}, std::nullopt, FileWrite::kStored, "new content"},
        {"created", [] { fs::remove("folder/file"); }, std::nullopt, FileWrite::kStored,
         "new content"},
        {"a stale temporary file is taken over",
         [] { WriteBytes("folder/file.tarnwell-new", std::string(100, 'x')); }, std::nullopt,
         FileWrite::kStored, "new content"},
        {"a read-only file", readOnly("folder/file"), std::nullopt, FileWrite::kNotOpened, "old"},
        {"a read-only folder: rewritten in place", readOnly("folder"), std::nullopt,
         FileWrite::kStored, "new content"},
        {"a read-only folder, no file",
         [] {
             fs::remove("folder/file");
             tw_test::MakeReadOnly("folder");
         },
         std::nullopt, FileWrite::kNotOpened, nullptr},
        {"a missing folder", [] { fs::remove_all("folder"); }, std::nullopt, FileWrite::kNotOpened,
         nullptr},
        {"a full disk", [] {}, 5, FileWrite::kNotStored, "old"},
        {"a full disk, no file yet", [] { fs::remove("folder/file"); }, 5, FileWrite::kNotStored,
         nullptr},
        {"a full disk in place: the old bytes go back", readOnly("folder"), 5,
         FileWrite::kNotStored, "old"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder folder;
        WriteBytes("folder/file", "old");
        c.prepare();
        FileWrite got;
        {
            const tw_test::FileSizeLimit limit(c.fileSizeLimit);
            got = ReplaceFileBytes(u".\\folder\\file", "new content");
        }
        EXPECT_EQ(got, c.want);
        EXPECT_EQ(fs::exists("folder/file"), c.after != nullptr);
        if (c.after != nullptr) {
            EXPECT_EQ(ReadBytes("folder/file"), c.after);
        }
        EXPECT_FALSE(fs::exists("folder/file.tarnwell-new"));
    }
}

TEST(ReplaceFileBytes, TheFileKeepsItsPermissionBits) {
    tw_test::TempFolder folder;
    WriteBytes("file", "old");
    fs::permissions("file", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_EQ(ReplaceFileBytes(u"file", "new"), FileWrite::kStored);
    EXPECT_EQ(fs::status("file").permissions(), fs::perms::owner_read | fs::perms::owner_write);
}

// Writers killed at random moments: the file holds one of the two contents whole, and a
// temporary left behind is whole too, under the one fixed name.
TEST(ReplaceFileBytes, KilledWritersLeaveNoTornFileAndNoPartialTemporary) {
    tw_test::TempFolder folder;
    const std::string a(1 << 20, 'a');
    const std::string b(1 << 20, 'b');
    ASSERT_EQ(ReplaceFileBytes(u"f", a), FileWrite::kStored);
    EXPECT_EQ(tw_test::CheckKilledWriters(
                  "f", a, b, [&](int i) { ReplaceFileBytes(u"f", i % 2 == 0 ? a : b); }),
              "");
}

TEST(StagedFiles, NothingChangesBeforeTheCommitAndEverythingAfter) {
    tw_test::TempFolder folder;
    WriteBytes("a/old.txt", "old");
    fs::permissions("a/old.txt", static_cast<fs::perms>(0664));
    WriteBytes("a/dropped.txt", "kept");
    WriteBytes("b/readonly.txt", "read-only");
    tw_test::MakeReadOnly("b/readonly.txt");
    {
        StagedFiles staged;
        EXPECT_EQ(staged.Stage(u"a\\old.txt", "new"), FileWrite::kStored);
        EXPECT_EQ(staged.Stage(u"a\\made.txt", "made"), FileWrite::kStored);
        EXPECT_EQ(staged.Stage(u"b\\readonly.txt", "x"), FileWrite::kNotOpened);
        EXPECT_EQ(staged.Stage(u"c\\missing-folder.txt", "x"), FileWrite::kNotOpened);
        EXPECT_EQ(ReadBytes("a/old.txt"), "old");
        EXPECT_FALSE(fs::exists("a/made.txt"));
        EXPECT_TRUE(staged.Commit());
        EXPECT_EQ(ReadBytes("a/old.txt"), "new");
        EXPECT_EQ(fs::status("a/old.txt").permissions(), static_cast<fs::perms>(0664));
        EXPECT_EQ(ReadBytes("a/made.txt"), "made");
        EXPECT_EQ(staged.Stage(u"a\\dropped.txt", "never committed"), FileWrite::kStored);
    }
    EXPECT_EQ(ReadBytes("a/dropped.txt"), "kept");
    EXPECT_EQ(ReadBytes("b/readonly.txt"), "read-only");
    EXPECT_EQ(Names("a"), (std::set<std::string>{"dropped.txt", "made.txt", "old.txt"}));
    EXPECT_EQ(Names("b"), std::set<std::string>{"readonly.txt"});
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
