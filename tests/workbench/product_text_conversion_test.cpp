#include "workbench/product_text_conversion.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/temp_folder.h"
#include "tests/support/utf16_file.h"
#include "workbench/planned_files.h"

namespace {

namespace fs = std::filesystem;
using tw_test::ReadBytes;
using tw_test::Utf16LeFile;
using tw_test::WriteBytes;

// GBK and Big5 forms of the texts used.
const std::string kGbkJianTi = "\xBC\xF2\xCC\xE5";   // 简体
const std::string kGbkFanTi = "\xBA\x86\xF3\x77";    // 簡體 (traditional, in GBK)
const std::string kBig5JianTi = "\xC2\xB2\xC5\xE9";  // 簡體
const std::string kGbkHouTai = "\xBA\xF3\xCC\xA8";   // 后台
const std::string kBig5HouTai = "\xAB\xE1\xA5\x78";  // 後台
// 木山 in GBK: its bytes happen to be valid UTF-8 (two two-byte characters).
const std::string kGbkMuShan = "\xC4\xBE\xC9\xBD";
const std::string kBig5MuShan = "\xA4\xEC\xA4\x73";
const std::string kUtf8Mark = "\xEF\xBB\xBF";
const std::string kShortcutName = "\xE8\xBD\xAF\xE4\xBB\xB6\xE5\x90\x8D\xE7\xA7\xB0.txt";

struct FileCase {
    const char* name;
    std::string path;
    std::string before;
    std::string after;
};

// The product files of a 936 product and what a switch to 950 makes of them.
const FileCase kTo950[] = {
    {"settings, CR LF kept", "config/static.ini", "[translate]\r\nname=" + kGbkJianTi + "\r\n",
     "[translate]\r\nname=" + kBig5JianTi + "\r\n"},
    {"traditional already", "config/a.ini", kGbkFanTi, kBig5JianTi},
    {"LF becomes CR LF, no break added", "config/ui/b.ini", "x\n" + kGbkHouTai,
     "x\r\n" + kBig5HouTai},
    {"lone CR splits the line", "config/ui/check/c.ini", "a\rb", "a\r\nb"},
    {"empty lines stay", "config/ui/check2/d.ini", "a\r\n\r\n\r\nb\r\n", "a\r\n\r\n\r\nb\r\n"},
    {"extension in capitals", "config/NOTES.INI", kGbkHouTai, kBig5HouTai},
    {"configset", "configset/e.ini", kGbkHouTai, kBig5HouTai},
    {"shell", "shell/run.bat", "echo " + kGbkHouTai + "\r\n", "echo " + kBig5HouTai + "\r\n"},
    {"sql", "sql/init.sql", kGbkHouTai, kBig5HouTai},
    {"data dictionary", "data/data.sql", "'" + kGbkHouTai + "'", "'" + kBig5HouTai + "'"},
    {"empty file stays empty", "config/empty.ini", "", ""},
    {"sub-folder not taken", "config/ui/check2/sub/f.ini", kGbkHouTai, kGbkHouTai},
    {"folder not in the table", "config/other/g.ini", kGbkHouTai, kGbkHouTai},
    {"other extension", "shell/run.sh", kGbkHouTai, kGbkHouTai},
    {"hidden file", "config/.hidden.ini", kGbkHouTai, kGbkHouTai},
    {"data translation file", "data/data.ini", Utf16LeFile(u"后台=x"), Utf16LeFile(u"后台=x")},
    {"pending file", "config/res.todo.txt", Utf16LeFile(u"[str]\r\n1=后台\r\n"),
     Utf16LeFile(u"[str]\r\n1=后台\r\n")},
    {"shortcut name in UTF-16", kShortcutName, Utf16LeFile(u"简体后台"), Utf16LeFile(u"簡體後台")},
    {"settings in UTF-16: mark and line ends kept", "config/service.ini",
     Utf16LeFile(u"[service]\r\nname=服务后台\nnote=簡體\r\n"),
     Utf16LeFile(u"[service]\r\nname=服務後台\nnote=簡體\r\n")},
    {"settings in UTF-8 with its mark: mark and line ends kept", "config/u8.ini",
     kUtf8Mark + "[u8]\r\nname=\u670D\u52A1\u540E\u53F0\nnote=x\r\n",   // 服务后台
     kUtf8Mark + "[u8]\r\nname=\u670D\u52D9\u5F8C\u53F0\nnote=x\r\n"},  // 服務後台
    {"UTF-8 with its mark but invalid bytes stays", "config/u8bad.ini",
     kUtf8Mark + "name=" + kGbkHouTai, kUtf8Mark + "name=" + kGbkHouTai},
    {"UTF-8 without a mark stays", "config/u8plain.ini", "name=\u540E\u53F0\r\n",
     "name=\u540E\u53F0\r\n"},
    {"GBK whose bytes form two-byte UTF-8 is GBK", "config/mushan.ini", "name=" + kGbkMuShan,
     "name=" + kBig5MuShan},
    {"UTF-16 of odd length keeps its last byte", "config/ui/odd.ini", Utf16LeFile(u"简体") + "\x41",
     Utf16LeFile(u"簡體") + "\x41"},
};

// The conversion planned, then put in place, as the language switch does it.
PlannedFiles::Outcome Convert(int from, int to,
                              DataDictionary dataDictionary = DataDictionary::kConvert) {
    PlannedFiles files;
    if (!ConvertProductTexts(from, to, files, dataDictionary)) {
        return PlannedFiles::Outcome::kRefused;
    }
    return files.Apply();
}

constexpr PlannedFiles::Outcome kDone = PlannedFiles::Outcome::kDone;

class ProductTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const FileCase& c : kTo950) {
            WriteBytes(c.path, c.before);
        }
    }
    tw_test::TempFolder folder_;
};

TEST_F(ProductTexts, From936To950) {
    WriteBytes("config/res.todo.all",
               Utf16LeFile(u"[str]\r\n0000000001=后台\r\n0000000002=简体\r\n"));
    WriteBytes("config/res.txt", Utf16LeFile(u"[str]\r\n0000000009=old\r\n"));
    EXPECT_EQ(Convert(936, 950), kDone);
    for (const FileCase& c : kTo950) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadBytes(c.path), c.after);
    }
    EXPECT_EQ(ReadBytes("config/res.txt"),
              Utf16LeFile(u"[str]\r\n0000000001=後台\r\n0000000002=簡體\r\n"));
    EXPECT_EQ(ReadBytes("config/res.todo.all"),
              Utf16LeFile(u"[str]\r\n0000000001=后台\r\n0000000002=简体\r\n"));
}

TEST_F(ProductTexts, From950BackTo936) {
    ASSERT_EQ(Convert(936, 950), kDone);
    WriteBytes("config/res.txt", Utf16LeFile(u"kept"));
    EXPECT_EQ(Convert(950, 936), kDone);
    const FileCase back[] = {
        {"settings", "config/static.ini", "", kTo950[0].before},
        {"traditional input comes back simplified", "config/a.ini", "", kGbkJianTi},
        {"line ends stay CR LF", "config/ui/b.ini", "", "x\r\n" + kGbkHouTai},
        {"data dictionary", "data/data.sql", "", "'" + kGbkHouTai + "'"},
        {"shortcut name", kShortcutName, "", Utf16LeFile(u"简体后台")},
        {"settings in UTF-16", "config/service.ini", "",
         Utf16LeFile(u"[service]\r\nname=服务后台\nnote=简体\r\n")},
        {"settings in UTF-8", "config/u8.ini", "",
         kUtf8Mark + "[u8]\r\nname=\u670D\u52A1\u540E\u53F0\nnote=x\r\n"},
        {"GBK whose bytes form UTF-8", "config/mushan.ini", "", "name=" + kGbkMuShan},
        {"translation file not regenerated", "config/res.txt", "", Utf16LeFile(u"kept")},
        {"untouched way there, untouched way back", "config/other/g.ini", "", kGbkHouTai},
    };
    for (const FileCase& c : back) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadBytes(c.path), c.after);
    }
}

// With no full resource list, or an empty one, the translation file stays as it is; a
// missing one holds only the mark.
TEST_F(ProductTexts, WithoutFullResourceListTheTranslationFileStays) {
    struct Case {
        const char* name;
        std::optional<std::string> list;
        std::optional<std::string> translations;
        std::string want;
    };
    const std::string restored = Utf16LeFile(u"[str]\r\n0000000001=restored\r\n");
    const Case cases[] = {
        {"no list, no translation file", std::nullopt, std::nullopt, "\xFF\xFE"},
        {"no list", std::nullopt, restored, restored},
        {"an empty list", "", restored, restored},
        {"a list of only the mark", "\xFF\xFE", restored, restored},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove("config/res.todo.all");
        fs::remove("config/res.txt");
        if (c.list) {
            WriteBytes("config/res.todo.all", *c.list);
        }
        if (c.translations) {
            WriteBytes("config/res.txt", *c.translations);
        }
        EXPECT_EQ(Convert(936, 950), kDone);
        EXPECT_EQ(ReadBytes("config/res.txt"), c.want);
    }
}

TEST_F(ProductTexts, CharactersWithoutFormBecomeTheDefaultCharacter) {
    WriteBytes("config/res.todo.all", Utf16LeFile(u"[str]\r\n1=a\u0E01b\r\n"));
    EXPECT_EQ(Convert(936, 950), kDone);
    EXPECT_EQ(ReadBytes("config/res.txt"), Utf16LeFile(u"[str]\r\n1=a?b\r\n"));
}

TEST_F(ProductTexts, NarrowFilesThatAreNotTextKeepTheirBytes) {
    const std::string withZero = kGbkHouTai + std::string("\0x", 2);
    const std::string withCtrlZ = kGbkHouTai + "\x1A" + "tail";
    WriteBytes("config/zero.ini", withZero);
    WriteBytes("config/ctrlz.ini", withCtrlZ);
    EXPECT_EQ(Convert(936, 950), kDone);
    EXPECT_EQ(ReadBytes("config/zero.ini"), withZero);
    EXPECT_EQ(ReadBytes("config/ctrlz.ini"), withCtrlZ);
    EXPECT_EQ(ReadBytes("sql/init.sql"), kBig5HouTai);
}

// One file that cannot be converted stops the conversion before any file changes.
TEST_F(ProductTexts, AFileThatCannotBeReadOrWrittenStopsEveryFile) {
    struct Case {
        const char* name;
        void (*spoil)();
    };
    const Case cases[] = {
        {"a read-only settings file", [] { tw_test::MakeReadOnly("config/static.ini"); }},
        {"an unreadable data dictionary",
         [] {
             fs::remove("data/data.sql");
             fs::create_directory("data/data.sql");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder caseFolder;
        for (const FileCase& file : kTo950) {
            WriteBytes(file.path, file.before);
        }
        c.spoil();
        EXPECT_NE(Convert(936, 950), kDone);
        for (const FileCase& file : kTo950) {
            if (fs::is_regular_file(file.path)) {
                SCOPED_TRACE(file.name);
                EXPECT_EQ(ReadBytes(file.path), file.before);
            }
        }
        for (const auto& entry : fs::recursive_directory_iterator(".")) {
            EXPECT_EQ(entry.path().string().find(".tarnwell-new"), std::string::npos);
        }
    }
}

// Windows lets the tool write a file whose folder is read-only: it is rewritten in place.
TEST_F(ProductTexts, FilesOfAReadOnlyFolderAreRewrittenInPlace) {
    WriteBytes("config/res.todo.all", Utf16LeFile(u"[str]\r\n0000000001=后台\r\n"));
    WriteBytes("config/res.txt", Utf16LeFile(u"[str]\r\n"));
    for (const char* folder : {"config", "config/ui", "data", "."}) {
        tw_test::MakeReadOnly(folder);
    }
    EXPECT_EQ(Convert(936, 950), kDone);
    for (const FileCase& c : kTo950) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ReadBytes(c.path), c.after);
    }
    EXPECT_EQ(ReadBytes("config/res.txt"), Utf16LeFile(u"[str]\r\n0000000001=後台\r\n"));
}

TEST_F(ProductTexts, TheDataDictionaryCanBeLeftOut) {
    EXPECT_EQ(Convert(936, 950, DataDictionary::kLeave), kDone);
    EXPECT_EQ(ReadBytes("data/data.sql"), kTo950[9].before);
    EXPECT_EQ(ReadBytes("config/static.ini"), kTo950[0].after);
    EXPECT_EQ(Convert(950, 936, DataDictionary::kLeave), kDone);
    EXPECT_EQ(ReadBytes("data/data.sql"), kTo950[9].before);
}

TEST_F(ProductTexts, MissingFixedFilesAreNotCreatedAndOtherPairsChangeNothing) {
    fs::remove("data/data.sql");
    fs::remove(kShortcutName);
    EXPECT_EQ(Convert(936, 950), kDone);
    EXPECT_FALSE(fs::exists("data/data.sql"));
    EXPECT_FALSE(fs::exists(kShortcutName));
    WriteBytes("config/static.ini", kGbkHouTai);
    EXPECT_EQ(Convert(936, 1252), kDone);
    EXPECT_EQ(ReadBytes("config/static.ini"), kGbkHouTai);
}

}  // namespace
