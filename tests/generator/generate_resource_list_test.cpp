#include "generator/generate_resource_list.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

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

TEST_F(Generator, WritesTheFullResourceListAndTheLookupCopy) {
    WriteInputs();
    ASSERT_TRUE(GenerateResourceList());
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
    EXPECT_EQ(ReadBytes("../depends/config/res.todo.all"), Utf16LeFile(want));
    EXPECT_EQ(ReadBytes("../depends/config/res.py2hz.txt"),
              Utf16LeFile(u"[str]\n打开=Open\n关闭=Close\n"));
    EXPECT_EQ(Key("filemain$Open"), u"4116907483");
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

}  // namespace
