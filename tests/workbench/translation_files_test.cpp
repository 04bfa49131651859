#include "workbench/translation_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"
#include "tests/support/utf16_file.h"

namespace {

using tw_test::ReadBytes;
using tw_test::Utf16LeFile;
using tw_test::WriteBytes;

// One line as the reader delivers it.
struct ProfileLine {
    std::u16string key;
    std::u16string value;
    bool operator==(const ProfileLine&) const = default;
};

std::vector<ProfileLine> ReadProfileLines(const std::u16string& path) {
    std::vector<ProfileLine> lines;
    ProfileLineReader reader(path);
    while (reader.Next()) {
        lines.push_back({std::u16string(reader.Key()), std::u16string(reader.Value())});
    }
    return lines;
}

struct ReaderCase {
    const char* name;
    std::string bytes;
    std::vector<ProfileLine> lines;
};

TEST(ProfileLineReader, KeysAndValuesAsTheyStand) {
    tw_test::TempFolder folder;
    const ReaderCase cases[] = {
        {"header and blank lines skipped",
         Utf16LeFile(u"[str]\r\n\r\n0000000001=打开\r\n"),
         {{u"0000000001", u"打开\n"}}},
        {"empty key skipped", Utf16LeFile(u"=x\r\nk=v"), {{u"k", u"v"}}},
        {"empty text at the end", Utf16LeFile(u"k="), {{u"k", u""}}},
        {"empty text with a break", Utf16LeFile(u"k=\r\n"), {{u"k", u"\n"}}},
        {"later equals belong to the text", Utf16LeFile(u"a=b=c\r\n"), {{u"a", u"b=c\n"}}},
        {"duplicates kept, sections ignored",
         Utf16LeFile(u"[str]\r\nk=1\r\n[other]\r\nk=2\r\n"),
         {{u"k", u"1\n"}, {u"k", u"2\n"}}},
        {"nothing trimmed", Utf16LeFile(u" k = v \r\n"), {{u" k ", u" v \n"}}},
        {"only the mark", "\xFF\xFE", {}},
        {"empty file", "", {}},
        {"a line of 10239 units and its break",
         Utf16LeFile(u"k=" + std::u16string(10236, u'x') + u"\r\nj=1"),
         {{u"k", std::u16string(10236, u'x') + u"\n"}, {u"j", u"1"}}},
        {"a long line whole, also where a piece would start with a key",
         Utf16LeFile(u"k=" + std::u16string(10237, u'x') + u"j=tail\r\n=z\r\n"),
         {{u"k", std::u16string(10237, u'x') + u"j=tail\n"}}},
        {"a long last line without a break",
         Utf16LeFile(u"k=" + std::u16string(1 << 20, u'x')),
         {{u"k", std::u16string(1 << 20, u'x')}}},
    };
    for (const ReaderCase& c : cases) {
        SCOPED_TRACE(c.name);
        WriteBytes("config/res.todo.txt", c.bytes);
        EXPECT_EQ(ReadProfileLines(kPendingFile), c.lines);
    }
    EXPECT_TRUE(ReadProfileLines(u".\\config\\missing.txt").empty());
}

// A missing or empty file gets the mark, whole or not at all; any other file stays.
TEST(EnsureUtf16ProfileFile, AMissingOrEmptyFileGetsTheMark) {
    struct Case {
        const char* name;
        std::optional<std::string> before;  // config/res.txt; nullopt: missing
        std::function<void()> prepare;
        std::optional<std::uint64_t> fileSizeLimit;
        bool ensured;
        std::optional<std::string> after;
    };
    const auto none = [] {};
    const auto readOnly = [](const char* path) { return [path] { tw_test::MakeReadOnly(path); }; };
    const Case cases[] = {
        {"missing", std::nullopt, none, std::nullopt, true, "\xFF\xFE"},
        {"empty, as a failed run left it", "", none, std::nullopt, true, "\xFF\xFE"},
        {"in code page 936: left alone", "[str]\r\n", none, std::nullopt, false, "[str]\r\n"},
        {"UTF-16LE without the mark: left alone", tw_test::Utf16LeBytes(u"[str]\r\n"), none,
         std::nullopt, false, tw_test::Utf16LeBytes(u"[str]\r\n")},
        {"UTF-16BE: left alone", std::string("\xFE\xFF\0[", 4), none, std::nullopt, false,
         std::string("\xFE\xFF\0[", 4)},
        {"UTF-8 with its mark: left alone", "\xEF\xBB\xBF[str]", none, std::nullopt, false,
         "\xEF\xBB\xBF[str]"},
        {"one byte", "\xFF", none, std::nullopt, false, "\xFF"},
        {"a UTF-16 profile file", Utf16LeFile(u"[str]\r\n"), none, std::nullopt, true,
         Utf16LeFile(u"[str]\r\n")},
        {"only the mark", "\xFF\xFE", none, std::nullopt, true, "\xFF\xFE"},
        {"empty in a read-only folder: marked in place", "", readOnly("config"), std::nullopt, true,
         "\xFF\xFE"},
        {"missing in a read-only folder", std::nullopt, readOnly("config"), std::nullopt, false,
         std::nullopt},
        {"empty and read-only", "", readOnly("config/res.txt"), std::nullopt, false, ""},
        {"missing on a full disk", std::nullopt, none, 1, false, std::nullopt},
        {"empty on a full disk", "", none, 1, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder folder;
        std::filesystem::create_directory("config");
        if (c.before) {
            WriteBytes("config/res.txt", *c.before);
        }
        c.prepare();
        bool ensured = false;
        {
            const tw_test::FileSizeLimit limit(c.fileSizeLimit);
            ensured = EnsureUtf16ProfileFile(kTranslationFile);
        }
        EXPECT_EQ(ensured, c.ensured);
        EXPECT_EQ(std::filesystem::exists("config/res.txt"), c.after.has_value());
        if (c.after) {
            EXPECT_EQ(ReadBytes("config/res.txt"), *c.after);
        }
        EXPECT_FALSE(std::filesystem::exists("config/res.txt.tarnwell-new"));
    }
    tw_test::TempFolder folder;
    EXPECT_FALSE(EnsureUtf16ProfileFile(u".\\missing\\res.txt"));
    EXPECT_FALSE(std::filesystem::exists("missing"));
}

// A value is read whole, whatever its length: the lookup grows its buffer to fit.
TEST(TranslationLookup, ValuesOfAnyLength) {
    tw_test::TempFolder folder;
    std::filesystem::create_directory("config");
    const size_t lengths[] = {0, 1, 10238, 10239, 10240, 10241, 1 << 20};
    std::u16string file = u"[str]\r\n";
    for (const size_t length : lengths) {
        file += FormatResourceKey(static_cast<std::uint32_t>(length)) + u"=" +
                std::u16string(length, u'x') + u"\r\n";
    }
    WriteBytes("config/res.txt", Utf16LeFile(file));
    TranslationLookup lookup(kTranslationFile);
    for (const size_t length : lengths) {
        SCOPED_TRACE(length);
        EXPECT_EQ(lookup.Find(FormatResourceKey(static_cast<std::uint32_t>(length))),
                  std::u16string(length, u'x'));
    }
    EXPECT_EQ(lookup.Find(u"0000000002"), u"") << "after the longest, a missing key";
    EXPECT_EQ(TranslationLookup(u".\\config\\missing.txt").Find(u"0000000001"), u"");
}

TEST(TranslationFileNames, DerivedNames) {
    EXPECT_EQ(LanguageTranslationFile(u"950"), u".\\config\\res_950.txt");
    EXPECT_EQ(LanguageDataDictionaryFile(u"936"), u".\\data\\data_936.sql");
    EXPECT_EQ(LanguageDataTranslationFile(u"1252"), u".\\data\\data_1252.ini");
    EXPECT_EQ(FormatResourceKey(42), u"0000000042");
    EXPECT_EQ(FormatResourceKey(4294967295u), u"4294967295");
    EXPECT_EQ(PendingArchiveName(0x100000005LL), u".\\config\\res.todo-0000000005.txt");
}

}  // namespace
