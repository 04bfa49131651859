#include "platform/win32/crt_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

using tw_test::ReadBytes;
using tw_test::WriteBytes;

std::string ReadAll(crt::FILE* file) {
    std::string text;
    char chunk[7];
    for (size_t n; (n = crt::fread(chunk, 1, sizeof chunk, file)) > 0;) {
        text.append(chunk, n);
    }
    crt::fclose(file);
    return text;
}

std::u16string ReadLines(const char16_t* path, const char16_t* mode = u"r,ccs=UNICODE") {
    crt::FILE* file = nullptr;
    EXPECT_EQ(crt::_wfopen_s(&file, path, mode), 0);
    std::u16string lines;
    char16_t buffer[5];
    while (crt::fgetws(buffer, 5, file) != nullptr) {
        lines += buffer;
        lines += u'|';
    }
    crt::fclose(file);
    return lines;
}

struct TextCase {
    const char* name;
    std::string bytes;
    std::string text;
};

const TextCase kTextReads[] = {
    {"cr lf", "a\r\nb", "a\nb"},
    {"lone cr stays", "a\rb\r", "a\rb\r"},
    {"cr cr lf", "a\r\r\nb", "a\r\nb"},
    {"ctrl z ends",
     "ab\x1A"
     "cd",
     "ab"},
    {"cr before ctrl z",
     "a\r\x1A"
     "b",
     "a\r"},
    {"cr lf across a chunk", std::string(6, 'x') + "\r\n" + "y", std::string(6, 'x') + "\ny"},
};

TEST(CrtFile, TextModeReading) {
    tw_test::TempFolder folder;
    for (const TextCase& c : kTextReads) {
        SCOPED_TRACE(c.name);
        WriteBytes("t.txt", c.bytes);
        crt::FILE* file = crt::fopen(".\\t.txt", "r");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(ReadAll(file), c.text);
        ASSERT_NE(file = crt::fopen("t.txt", "rb"), nullptr);
        EXPECT_EQ(ReadAll(file), c.bytes);
    }
}

TEST(CrtFile, TextModeWritingAndBinaryWriting) {
    tw_test::TempFolder folder;
    crt::FILE* file = crt::fopen("t.txt", "w");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(crt::fwrite("a\nb\r\n", 1, 5, file), 5u);
    EXPECT_EQ(crt::fclose(file), 0);
    EXPECT_EQ(ReadBytes("t.txt"), "a\r\nb\r\r\n");
    ASSERT_NE(file = crt::fopen("t.txt", "wb"), nullptr);
    crt::fwrite("1\n", 1, 2, file);
    crt::fclose(file);
    EXPECT_EQ(ReadBytes("t.txt"), "1\n");
}

TEST(CrtFile, PathsAreWindowsStyleInCodePage936) {
    tw_test::TempFolder folder;
    WriteBytes("config/\xE4\xB8\xAD.txt", "x");                     // 中 in UTF-8
    crt::FILE* file = crt::fopen(".\\config\\\xD6\xD0.txt", "rb");  // 中 in GBK
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file), "x");
    ASSERT_NE(file = crt::_wfopen(u".\\config\\中.txt", u"rb"), nullptr);
    EXPECT_EQ(ReadAll(file), "x");
}

TEST(CrtFile, OpenFailures) {
    tw_test::TempFolder folder;
    std::filesystem::create_directory("dir");
    WriteBytes("ro.txt", "old");
    tw_test::MakeReadOnly("ro.txt");
    EXPECT_EQ(crt::fopen("missing.txt", "r"), nullptr);
    EXPECT_EQ(crt::fopen("dir", "r"), nullptr);
    EXPECT_EQ(crt::fopen("no\\such\\folder.txt", "w"), nullptr);
    EXPECT_EQ(crt::fopen("ro.txt", "w"), nullptr);
    EXPECT_EQ(ReadBytes("ro.txt"), "old");
    crt::FILE* file = crt::fopen("ro.txt", "r");
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(ReadAll(file), "old");
}

TEST(CrtFile, WideModeReadsByTheMark) {
    tw_test::TempFolder folder;
    struct Case {
        const char* name;
        std::string bytes;
        std::u16string lines;
    } const cases[] = {
        {"utf-16le",
         std::string("\xFF\xFE"
                     "a\0=\0\r\0\n\0b\0",
                     12),
         u"a=\n|b|"},
        {"utf-8", "\xEF\xBB\xBF\xE4\xB8\xAD\r\nx", u"中\n|x|"},
        {"no mark: one byte a character", "k=\xD6\r\n", u"k=\u00D6\n|"},
        {"long line in pieces", "abcdefgh\n", u"abcd|efgh|\n|"},
        {"only the mark", "\xFF\xFE", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("t.txt", c.bytes);
        EXPECT_EQ(ReadLines(u"t.txt"), c.lines);
    }
    WriteBytes("t.txt", "\xFE\xFF");
    crt::FILE* file = nullptr;
    EXPECT_NE(crt::_wfopen_s(&file, u"t.txt", u"r,ccs=UNICODE"), 0);
    EXPECT_EQ(file, nullptr);
}

TEST(CrtFile, WideAppendWritesNoMarkOfItsOwn) {
    tw_test::TempFolder folder;
    crt::FILE* file = nullptr;
    ASSERT_EQ(crt::_wfopen_s(&file, u"new.txt", u"a+,ccs=UNICODE"), 0);
    const char16_t mark = u'\uFEFF';
    EXPECT_EQ(crt::fwrite(&mark, 2, 1, file), 1u);
    crt::fclose(file);
    EXPECT_EQ(ReadBytes("new.txt"), "\xFF\xFE");
    ASSERT_EQ(crt::_wfopen_s(&file, u"new.txt", u"a+,ccs=UNICODE"), 0);
    crt::fwrite(u"a\n", 2, 2, file);
    crt::fclose(file);
    EXPECT_EQ(ReadBytes("new.txt"), std::string("\xFF\xFE"
                                                "a\0\r\0\n\0",
                                                8));
}

}  // namespace
