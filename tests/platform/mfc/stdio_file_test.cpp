#include "platform/mfc/stdio_file.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/temp_folder.h"

namespace {

constexpr UINT kCreateBinary =
    CStdioFile::modeWrite | CStdioFile::typeBinary | CStdioFile::modeCreate;

TEST(CStdioFile, CreatesAndEmptiesTheFile) {
    tw_test::TempFolder folder;
    tw_test::WriteBytes("f.bin", std::string(100, 'x'));
    CStdioFile file;
    ASSERT_TRUE(file.Open(u"f.bin", kCreateBinary));
    file.Write("a\nb", 3);
    file.Close();
    EXPECT_EQ(tw_test::ReadBytes("f.bin"), "a\nb");
}

TEST(CStdioFile, OpenFailureSaysWhy) {
    tw_test::TempFolder folder;
    CStdioFile file;
    CFileException error;
    EXPECT_FALSE(file.Open(u"no\\such\\f.bin", kCreateBinary, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
    EXPECT_EQ(error.m_strFileName, u"no\\such\\f.bin");
}

TEST(CStdioFile, FailedCloseAndShortWriteRaise) {
    CStdioFile small;
    ASSERT_TRUE(small.Open(u"/dev/full", kCreateBinary));
    small.Write("ab", 2);  // buffered: the failure shows at the close
    try {
        small.Close();
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::diskFull);
        EXPECT_EQ(e.m_strFileName, u"/dev/full");
    }
    CStdioFile large;
    ASSERT_TRUE(large.Open(u"/dev/full", kCreateBinary));
    const std::string data(1 << 20, 'x');
    try {
        large.Write(data.data(), static_cast<UINT>(data.size()));
        FAIL() << "no exception";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_cause, CFileException::genericException);
    }
}

}  // namespace
