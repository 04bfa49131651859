#include "generator/generate_resource_list.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"
#include "tests/support/utf16_file.h"

namespace {

namespace fs = std::filesystem;
using tw_test::ReadBytes;
using tw_test::Utf16LeFile;
using tw_test::WriteBytes;

// The IEEE CRC-32, bit by bit, independent of the code under test.
std::uint32_t Crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (const unsigned char b : bytes) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320 & (0u - (crc & 1)));
        }
    }
    return ~crc;
}

std::u16string Key(const std::string& gbkKeySource) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%010u", Crc32(gbkKeySource));
    return std::u16string(digits, digits + 10);
}

// GBK bytes of the texts used.
const std::string kDaKai = "\xB4\xF2\xBF\xAA";   // 打开
const std::string kGuanBi = "\xB9\xD8\xB1\xD5";  // 关闭
const std::string kWeiZhi = "\xCE\xB4\xD6\xAA";  // 未知

// A development tree: the generator runs in product/ and works in depends/config/.
class Generator : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories("depends/config");
        fs::create_directories("product");
        fs::current_path("product");
    }
    void TearDown() override { fs::current_path(tree_.path()); }

    static void WriteInputs() {
        WriteBytes("../depends/config/res.code.gbk.txt",
                   "main=Open\r\n\r\nmain = Save as\r\nmenu=a=b\r\nNoEquals\r\n=Lead\r\n"
                   "main=Open\r\n   \r\nafter=blank\r\n");
        WriteBytes("../depends/config/res.dlg.gbk.txt",
                   "102=" + kDaKai + "\r\n0102=" + kDaKai + "\r\n+102abc=" + kGuanBi +
                       "\r\n-5=" + kWeiZhi + "\r\n" + kGuanBi + "\r\n");
        WriteBytes("../depends/config/res.py2hz.gbk.txt",
                   "[str]\r\n" + kDaKai + "=Open\r\n" + kGuanBi + "=Close\r\n");
    }

    tw_test::TempFolder tree_;
};

// The full resource list of the inputs above.
std::string WantedList() {
    const std::pair<std::string, std::u16string> entries[] = {
        {"filemain$Open", u"Open"},
        {"filemain $ Save as", u"Save as"},  // blanks stay in the key source
        {"filemenu$a=b", u"a=b"},
        {"fileNoEquals$NoEquals", u"NoEquals"},
        {"file$Lead", u"Lead"},
        {"dlg102$" + kDaKai, u"Open"},  // 0102 repeats it: one entry
        {"dlg102$" + kGuanBi, u"Close"},
        {"dlg-5$" + kWeiZhi, u""},
        {"dlg0$" + kGuanBi, u"Close"},
    };
    std::u16string want = u"[str]\r\n";
    for (const auto& [source, value] : entries) {
        want += Key(source) + u"=" + value + u"\r\n";
    }
    return Utf16LeFile(want);
}

const std::string kWantedCopy = Utf16LeFile(u"[str]\n打开=Open\n关闭=Close\n");

TEST_F(Generator, WritesTheFullResourceListAndTheLookupCopy) {
    WriteInputs();
    ASSERT_TRUE(GenerateResourceList());
    EXPECT_EQ(ReadBytes("../depends/config/res.todo.all"), WantedList());
    EXPECT_EQ(ReadBytes("../depends/config/res.py2hz.txt"), kWantedCopy);
    EXPECT_EQ(Key("filemain$Open"), u"4116907483");
    EXPECT_FALSE(fs::exists("../depends/config/res.py2hz.txt.tarnwell-new"));
}

TEST_F(Generator, ASecondRunLeavesTheListUnchanged) {
    WriteInputs();
    ASSERT_TRUE(GenerateResourceList());
    const std::string first = ReadBytes("../depends/config/res.todo.all");
    WriteBytes("../depends/config/res.code.gbk.txt", "main=Open\r\n");
    ASSERT_TRUE(GenerateResourceList());
    EXPECT_EQ(ReadBytes("../depends/config/res.todo.all"), first) << "removed lines stay";
}

TEST_F(Generator, MissingListsStillLeaveAValidList) {
    ASSERT_TRUE(GenerateResourceList());
    EXPECT_EQ(ReadBytes("../depends/config/res.todo.all"), "\xFF\xFE");
    EXPECT_EQ(ReadBytes("../depends/config/res.py2hz.txt"), "\xFF\xFE");
}

TEST_F(Generator, MissingFolderOrUnwritableOutputFails) {
    fs::remove_all("../depends");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(GenerateResourceList());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("..\\depends\\config"),
              std::string::npos);

    fs::create_directories("../depends/config");
    WriteInputs();
    WriteBytes("../depends/config/res.todo.all", Utf16LeFile(u"[str]\r\n1=old\r\n"));
    tw_test::MakeReadOnly("../depends/config/res.todo.all");
    testing::internal::CaptureStderr();
    EXPECT_FALSE(GenerateResourceList());
    EXPECT_NE(testing::internal::GetCapturedStderr().find("res.todo.all"), std::string::npos);
    EXPECT_EQ(ReadBytes("../depends/config/res.todo.all"), Utf16LeFile(u"[str]\r\n1=old\r\n"));
}

// An output that cannot be written does not stop the other: each is written as far as it
// can be, one line on standard error names each that failed, and the run fails.
TEST_F(Generator, EveryOutputIsWrittenAsFarAsItCanBe) {
    constexpr char kCopy[] = "../depends/config/res.py2hz.txt";
    constexpr char kList[] = "../depends/config/res.todo.all";
    const std::string copyLine = "无法写入 ..\\depends\\config\\res.py2hz.txt\n";
    const std::string listLine = "无法写入 ..\\depends\\config\\res.todo.all\n";
    struct Case {
        const char* name;
        std::function<void()> prepare;
        // A full disk: it would cut the captured standard error too, which is then not
        // looked at.
        std::optional<std::uint64_t> fileSizeLimit;
        std::string errors;
        std::optional<std::string> copy;  // nullopt: no file
        std::optional<std::string> list;
    };
    const Case cases[] = {
        {"a read-only side copy",
         [&] {
             WriteBytes(kCopy, "old copy");
             tw_test::MakeReadOnly(kCopy);
         },
         std::nullopt, copyLine, "old copy", WantedList()},
        {"an empty list, as a failed run left it, gets its mark", [&] { WriteBytes(kList, ""); },
         std::nullopt, "", kWantedCopy, WantedList()},
        {"a read-only folder: the existing copy is rewritten in place, the list cannot be "
         "created",
         [&] {
             WriteBytes(kCopy, "old copy");
             tw_test::MakeReadOnly("../depends/config");
         },
         std::nullopt, listLine, kWantedCopy, std::nullopt},
        {"a full disk: no list in code page 936, no partial copy",
         [&] { WriteBytes(kCopy, "old copy"); }, 1, copyLine + listLine, "old copy", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all("../depends/config");
        fs::create_directories("../depends/config");
        WriteInputs();
        c.prepare();
        bool succeeded = false;
        if (c.fileSizeLimit) {
            const tw_test::FileSizeLimit fullDisk(*c.fileSizeLimit);
            succeeded = GenerateResourceList();
        } else {
            testing::internal::CaptureStderr();
            succeeded = GenerateResourceList();
            EXPECT_EQ(testing::internal::GetCapturedStderr(), c.errors);
        }
        EXPECT_EQ(succeeded, c.errors.empty());
        EXPECT_EQ(fs::exists(kCopy), c.copy.has_value());
        if (c.copy) {
            EXPECT_EQ(ReadBytes(kCopy), *c.copy);
        }
        EXPECT_EQ(fs::exists(kList), c.list.has_value());
        if (c.list) {
            EXPECT_EQ(ReadBytes(kList), *c.list);
        }
        fs::permissions("../depends/config", fs::perms::owner_all, fs::perm_options::add);
        for (const auto& entry : fs::directory_iterator("../depends/config")) {
            EXPECT_EQ(entry.path().string().find(".tarnwell-new"), std::string::npos);
        }
    }
    // After the full disk, the next run makes a UTF-16 list.
    ASSERT_TRUE(GenerateResourceList());
    EXPECT_EQ(ReadBytes(kList), WantedList());
}

}  // namespace
