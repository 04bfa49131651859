#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/mfc/resource_module.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_folder.h"
#include "tests/support/utf16_file.h"
#include "tests/workbench/product_folder_driver.h"
#include "workbench/language_selection.h"
#include "workbench/tarnwell_dlg.h"

namespace {

using tw_test::FixtureBytes;
using tw_test::ReadBytes;
using tw_test::Snapshot;
using tw_test::TakeSnapshot;
using tw_test::Utf16LeFile;
using tw_test::WriteBytes;

constexpr char16_t kStaticIni[] = u".\\config\\static.ini";
const std::vector<std::u16string> kSucceeded{u"操作成功，请重新启动软件！"};
const std::vector<std::u16string> kFailed{u"操作失败"};

// The fixture's texts in Big5, as the switch to "950" converts them.
const std::string kBig5HouTai = "\xAB\xE1\xA5\x78";  // 後台
const std::string kBig5JianTi = "\xC2\xB2\xC5\xE9";  // 簡體
const std::string kMainIni950 =
    "[main]\r\ntitle=" + kBig5HouTai + "\r\nstatus=" + kBig5JianTi + "\r\n";
const std::string kDataSql950 = "INSERT INTO dict_level (id, name) VALUES (1, '" + kBig5HouTai +
                                "'), (2, '" + kBig5JianTi + "');\r\n";
// The full resource list in traditional characters.
const std::string kRegenerated = Utf16LeFile(u"[str]\r\n0000000001=後台\r\n0000000002=簡體\r\n");

struct Keys {
    std::u16string code;        // static.ini [translate] system-language-code
    std::u16string tooltip;     // static.ini [dialog] enable-tooltip
    std::u16string targetLang;  // drovak.conf [BASE] targetlang
    bool operator==(const Keys&) const = default;
};

Keys ReadKeys() {
    using tw_test::ProfileValue;
    return {ProfileValue(u"translate", u"system-language-code", kStaticIni),
            ProfileValue(u"dialog", u"enable-tooltip", kStaticIni),
            ProfileValue(u"BASE", u"targetlang", u".\\drovak.conf")};
}

void PrintTo(const Keys& keys, std::ostream* out) {
    const auto ascii = [](const std::u16string& text) {
        return std::string(text.begin(), text.end());
    };
    *out << ascii(keys.code) << "/" << ascii(keys.tooltip) << "/" << ascii(keys.targetLang);
}

// The profile files change in their own way (keys rewritten, converted as settings);
// their keys are checked on their own.
Snapshot WithoutProfiles(Snapshot files) {
    files.erase("config/static.ini");
    files.erase("drovak.conf");
    return files;
}

void ExpectNothingLost(const Snapshot& before, const Snapshot& after) {
    for (const auto& [path, bytes] : before) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(after.contains(path));
        EXPECT_EQ(after.at(path), bytes);
    }
}

class LanguageSwitchTest : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetResourceHandle(TarnwellResources());
        tw_test::CopyProductFixture();
    }

    struct Outcome {
        std::vector<std::u16string> messages;
        bool open;
        std::u16string languageCode;  // m_languageCode afterwards
        std::u16string selected;      // the combo box's code afterwards; empty for none
    };

    // Opens the dialog on the folder, chooses the language (an empty code leaves the combo
    // box as it is) and presses "应用".
    static Outcome Apply(const std::u16string& code) {
        ScriptedResponder responder;
        ScopedDialogResponder scoped(responder);
        CTarnwellDlg dialog;
        EXPECT_TRUE(dialog.Create());
        if (!code.empty()) {
            EXPECT_TRUE(tw_test::ChooseLanguage(dialog, code));
        }
        tw_test::Click(dialog, IDC_APPLY_LANGUAGE);
        for (const MessageBoxRequest& box : responder.messageBoxes) {
            EXPECT_EQ(box.type, MB_OK) << "every outcome of the switch is an OK box";
        }
        const std::u16string* selected = GetSelectedLanguageCode(dialog);
        return {tw_test::Texts(responder), tw_test::IsOpen(dialog), dialog.m_languageCode,
                selected != nullptr ? *selected : u""};
    }

    static void SetLanguageCode(const char16_t* code) {
        WritePrivateProfileStringW(u"translate", u"system-language-code", code, kStaticIni);
    }

    tw_test::TempFolder folder_;
};

TEST_F(LanguageSwitchTest, From936To950SavesRestoresRecordsAndConverts) {
    WriteBytes("config/res_936.txt", "saved earlier");
    WriteBytes("data/data_936.sql", "saved earlier");
    WriteBytes("data/data_936.ini", "saved earlier");
    WriteBytes("config/res_950.txt", Utf16LeFile(u"[str]\r\n0000000001=舊\r\n"));
    WriteBytes("data/data_950.sql", "-- saved in 950\r\n");
    WriteBytes("data/data_950.ini", Utf16LeFile(u"[str]\r\n後台=from 950\r\n"));
    Snapshot want = TakeSnapshot();

    const Outcome outcome = Apply(u"950");
    EXPECT_EQ(outcome.messages, kSucceeded);
    EXPECT_FALSE(outcome.open);
    EXPECT_EQ(outcome.languageCode, u"950");
    EXPECT_EQ(ReadKeys(), (Keys{u"950", u"0", u"en"}));

    // The install-time copies, then the language left under its code.
    want["config/res_install.txt"] = FixtureBytes("config/res.txt");
    want["data/data_install.sql"] = FixtureBytes("data/data.sql");
    want["config/res_936.txt"] = FixtureBytes("config/res.txt");
    want["data/data_936.sql"] = FixtureBytes("data/data.sql");
    want["data/data_936.ini"] = FixtureBytes("data/data.ini");
    // The data translation file and the data-dictionary SQL file come back from their 950
    // copies, the SQL file unconverted: it is Big5 already. The translation file restored
    // from its copy is regenerated by the conversion.
    want["data/data.ini"] = want["data/data_950.ini"];
    want["data/data.sql"] = want["data/data_950.sql"];
    want["config/res.txt"] = kRegenerated;
    want["config/main.ini"] = kMainIni950;
    EXPECT_EQ(WithoutProfiles(TakeSnapshot()), WithoutProfiles(want));
}

TEST_F(LanguageSwitchTest, From950BackTo936BringsTheSimplifiedSetBack) {
    WriteBytes("data/data_950.ini", Utf16LeFile(u"[str]\r\n後台=from 950\r\n"));
    ASSERT_EQ(Apply(u"950").messages, kSucceeded);
    const Snapshot in950 = TakeSnapshot();

    const Outcome outcome = Apply(u"936");
    EXPECT_EQ(outcome.messages, kSucceeded);
    EXPECT_FALSE(outcome.open);
    EXPECT_EQ(outcome.languageCode, u"936");
    EXPECT_EQ(ReadKeys(), (Keys{u"936", u"1", u"zh"}));

    // Without a 950 copy the data-dictionary SQL file was carried across, converted.
    EXPECT_EQ(in950.at("data/data.sql"), kDataSql950);

    Snapshot want = in950;
    want["config/res_950.txt"] = in950.at("config/res.txt");
    want["data/data_950.sql"] = in950.at("data/data.sql");
    want["data/data_950.ini"] = in950.at("data/data.ini");
    // Back to the files the product had in 936, byte for byte.
    for (const char* path :
         {"config/res.txt", "data/data.sql", "data/data.ini", "config/main.ini"}) {
        want[path] = FixtureBytes(path);
    }
    EXPECT_EQ(WithoutProfiles(TakeSnapshot()), WithoutProfiles(want));
}

// 936 -> 950 -> 936 gives the product back its files byte for byte: the SQL file holds a
// character that Big5 lacks (丂) and traditional text (後臺), which a conversion back
// would change; a UTF-16 settings file goes through the conversion both ways.
TEST_F(LanguageSwitchTest, ARoundTripLeavesEveryFileAsItWas) {
    const std::string dataSql =
        "-- \x81\x40 \xE1\xE1\xC5\x5F \xB7\xA2 \xC0\xEF\r\n" +  // 丂 後臺 发 里
        FixtureBytes("data/data.sql");
    const std::string serviceIni = Utf16LeFile(u"[service]\r\nname=服务后台\r\n");
    WriteBytes("data/data.sql", dataSql);
    WriteBytes("config/service.ini", serviceIni);
    const Snapshot before = TakeSnapshot();

    ASSERT_EQ(Apply(u"950").messages, kSucceeded);
    EXPECT_EQ(ReadBytes("config/service.ini"), Utf16LeFile(u"[service]\r\nname=服務後台\r\n"));
    EXPECT_EQ(ReadBytes("config/main.ini"), kMainIni950);
    const std::string dataSql950 = ReadBytes("data/data.sql");
    EXPECT_NE(dataSql950, dataSql) << "carried across, converted";

    ASSERT_EQ(Apply(u"936").messages, kSucceeded);
    ExpectNothingLost(WithoutProfiles(before), TakeSnapshot());
    EXPECT_EQ(ReadBytes("data/data_950.sql"), dataSql950);

    // The next switch to 950 brings back the 950 copy, as saved.
    ASSERT_EQ(Apply(u"950").messages, kSucceeded);
    EXPECT_EQ(ReadBytes("data/data.sql"), dataSql950);
    EXPECT_EQ(ReadBytes("data/data_936.sql"), dataSql);
}

// Settings files in UTF-8 keep their encoding: with the mark they are converted as
// UTF-8 (mark and line ends kept); without one they stay as they are. Both come back.
TEST_F(LanguageSwitchTest, UTF8SettingsFilesSurviveTheRoundTrip) {
    const std::string marked = "\xEF\xBB\xBF[u8]\r\nname=\u670D\u52A1\u540E\u53F0\n";
    const std::string plain = "[u8]\r\nname=\u670D\u52A1\u540E\u53F0\r\n";
    WriteBytes("config/u8.ini", marked);
    WriteBytes("config/ui/plain.ini", plain);
    const Snapshot before = TakeSnapshot();

    ASSERT_EQ(Apply(u"950").messages, kSucceeded);
    EXPECT_EQ(ReadBytes("config/u8.ini"),
              "\xEF\xBB\xBF[u8]\r\nname=\u670D\u52D9\u5F8C\u53F0\n");  // 服務後台
    EXPECT_EQ(ReadBytes("config/ui/plain.ini"), plain);
    EXPECT_EQ(ReadBytes("config/main.ini"), kMainIni950);

    ASSERT_EQ(Apply(u"936").messages, kSucceeded);
    ExpectNothingLost(WithoutProfiles(before), TakeSnapshot());
}

// Without a full resource list, or with an empty one, the translation file brought back
// for 950 stays, and the way back saves it as it was.
TEST_F(LanguageSwitchTest, WithoutFullResourceListThe950TranslationsStay) {
    struct Case {
        const char* name;
        std::optional<std::string> list;
        std::optional<std::string> copy950;  // config/res_950.txt
        std::string want;                    // config/res.txt in 950
    };
    const std::string saved = Utf16LeFile(u"[str]\r\n0000000001=\u820A\r\n");  // 舊
    const Case cases[] = {
        {"no list, a 950 copy", std::nullopt, saved, saved},
        {"an empty list, a 950 copy", "\xFF\xFE", saved, saved},
        {"no list, no 950 copy", std::nullopt, std::nullopt, "\xFF\xFE"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder caseFolder;
        tw_test::CopyProductFixture();
        std::filesystem::remove("config/res.todo.all");
        if (c.list) {
            WriteBytes("config/res.todo.all", *c.list);
        }
        if (c.copy950) {
            WriteBytes("config/res_950.txt", *c.copy950);
        }
        ASSERT_EQ(Apply(u"950").messages, kSucceeded);
        EXPECT_EQ(ReadBytes("config/res.txt"), c.want);
        ASSERT_EQ(Apply(u"936").messages, kSucceeded);
        EXPECT_EQ(ReadBytes("config/res_950.txt"), c.want);
        EXPECT_EQ(ReadBytes("config/res.txt"), FixtureBytes("config/res.txt"));
    }
}

// The data-dictionary SQL file without a copy of the entered language: on the way to 950
// the install-time copy, converted; on the way back the current file, converted.
TEST_F(LanguageSwitchTest, DataDictionaryWithoutACopyOfTheEnteredLanguage) {
    const std::string gbkInstall = "INSERT INTO t VALUES ('\xBA\xF3\xCC\xA8');\r\n";   // 后台
    const std::string big5Install = "INSERT INTO t VALUES ('\xAB\xE1\xA5\x78');\r\n";  // 後台
    WriteBytes("data/data_install.sql", gbkInstall);
    ASSERT_EQ(Apply(u"950").messages, kSucceeded);
    EXPECT_EQ(ReadBytes("data/data.sql"), big5Install);
    EXPECT_EQ(ReadBytes("data/data_936.sql"), FixtureBytes("data/data.sql"));

    std::filesystem::remove("data/data_936.sql");
    WriteBytes("data/data.sql", "-- " + kBig5JianTi + "\r\n");
    ASSERT_EQ(Apply(u"936").messages, kSucceeded);
    EXPECT_EQ(ReadBytes("data/data.sql"), "-- \xBC\xF2\xCC\xE5\r\n");  // 简体
    EXPECT_EQ(ReadBytes("data/data_install.sql"), gbkInstall);
}

TEST_F(LanguageSwitchTest, ToAFurtherLanguageAndBackWithoutConversion) {
    const Snapshot before = TakeSnapshot();
    const Outcome there = Apply(u"1252");
    EXPECT_EQ(there.messages, kSucceeded);
    EXPECT_FALSE(there.open);
    EXPECT_EQ(ReadKeys(), (Keys{u"1252", u"0", u"en"}));

    // 1252 has no copies: no translation file, no data translation file, and the
    // data-dictionary SQL file of the installation. Nothing is converted.
    Snapshot want = before;
    want["config/res_install.txt"] = FixtureBytes("config/res.txt");
    want["data/data_install.sql"] = FixtureBytes("data/data.sql");
    want["config/res_936.txt"] = FixtureBytes("config/res.txt");
    want["data/data_936.sql"] = FixtureBytes("data/data.sql");
    want["data/data_936.ini"] = FixtureBytes("data/data.ini");
    want.erase("config/res.txt");
    want.erase("data/data.ini");
    EXPECT_EQ(WithoutProfiles(TakeSnapshot()), WithoutProfiles(want));

    // Work done in 1252, then back.
    WriteBytes("config/res.txt", Utf16LeFile(u"[str]\r\n0000000001=Backstage\r\n"));
    WriteBytes("data/data.ini", Utf16LeFile(u"[str]\r\n后台=Backstage\r\n"));
    WriteBytes("data/data.sql", "-- edited in 1252\r\n");
    const Snapshot in1252 = TakeSnapshot();
    const Outcome back = Apply(u"936");
    EXPECT_EQ(back.messages, kSucceeded);
    EXPECT_EQ(ReadKeys(), (Keys{u"936", u"1", u"zh"}));

    want = in1252;
    want["config/res_1252.txt"] = in1252.at("config/res.txt");
    want["data/data_1252.sql"] = in1252.at("data/data.sql");
    want["data/data_1252.ini"] = in1252.at("data/data.ini");
    for (const char* path : {"config/res.txt", "data/data.sql", "data/data.ini"}) {
        want[path] = FixtureBytes(path);
    }
    // The install-time copies are those of the first switch.
    EXPECT_EQ(want.at("config/res_install.txt"), FixtureBytes("config/res.txt"));
    EXPECT_EQ(want.at("data/data_install.sql"), FixtureBytes("data/data.sql"));
    EXPECT_EQ(WithoutProfiles(TakeSnapshot()), WithoutProfiles(want));
}

TEST_F(LanguageSwitchTest, TheSameLanguageAgainCopiesBackAndWritesTheKeysAgain) {
    WriteBytes("drovak.conf", "[BASE]\r\ntargetlang=en\r\n");
    WritePrivateProfileStringW(u"dialog", u"enable-tooltip", u"0", kStaticIni);
    Snapshot want = TakeSnapshot();

    const Outcome outcome = Apply(u"936");
    EXPECT_EQ(outcome.messages, kSucceeded);
    EXPECT_FALSE(outcome.open);
    EXPECT_EQ(ReadKeys(), (Keys{u"936", u"1", u"zh"}));
    want["config/res_install.txt"] = FixtureBytes("config/res.txt");
    want["data/data_install.sql"] = FixtureBytes("data/data.sql");
    want["config/res_936.txt"] = FixtureBytes("config/res.txt");
    want["data/data_936.sql"] = FixtureBytes("data/data.sql");
    want["data/data_936.ini"] = FixtureBytes("data/data.ini");
    EXPECT_EQ(WithoutProfiles(TakeSnapshot()), WithoutProfiles(want));
}

TEST_F(LanguageSwitchTest, OrderingRulesRefuseAndSetTheComboBack) {
    struct Case {
        const char* name;
        const char16_t* from;
        const char16_t* to;
        std::u16string message;
    };
    const Case cases[] = {
        {"950 only from 936", u"1252", u"950", u"先切换到简体中文才能切换到繁体！"},
        {"950 again: the first rule", u"950", u"950", u"先切换到简体中文才能切换到繁体！"},
        {"950 only towards 936", u"950", u"1252", u"繁体只能先切换到简体！"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLanguageCode(c.from);
        const Snapshot before = TakeSnapshot();
        const Outcome outcome = Apply(c.to);
        EXPECT_EQ(outcome.messages, std::vector<std::u16string>{c.message});
        EXPECT_TRUE(outcome.open);
        EXPECT_EQ(outcome.languageCode, c.from);
        EXPECT_EQ(outcome.selected, c.from);
        EXPECT_EQ(TakeSnapshot(), before);
    }
}

TEST_F(LanguageSwitchTest, NothingSelectedChangesNothingAndEnds) {
    SetLanguageCode(u"1033");  // not in the table: the combo box starts without a selection
    const Snapshot before = TakeSnapshot();
    const Outcome outcome = Apply(u"");
    EXPECT_EQ(outcome.selected, u"");
    EXPECT_EQ(outcome.messages, kSucceeded);
    EXPECT_FALSE(outcome.open);
    EXPECT_EQ(outcome.languageCode, u"1033");
    EXPECT_EQ(TakeSnapshot(), before);
}

// A switch that could not finish is refused before any file is touched: every file and
// key stays as it was (no install-time copy either), the combo box goes back, the dialog
// stays open. A file left unconverted would be garbled on the way back.
TEST_F(LanguageSwitchTest, ASwitchThatCannotFinishChangesNothing) {
    struct Case {
        const char* name;
        const char16_t* to;
        void (*spoil)();
    };
    const Case cases[] = {
        {"a translation copy saved earlier is read-only", u"950",
         [] {
             WriteBytes("config/res_936.txt", "saved earlier");
             tw_test::MakeReadOnly("config/res_936.txt");
         }},
        {"a data translation copy saved earlier is read-only", u"950",
         [] {
             WriteBytes("data/data_936.ini", "saved earlier");
             tw_test::MakeReadOnly("data/data_936.ini");
         }},
        {"the data folder is read-only", u"950", [] { tw_test::MakeReadOnly("data"); }},
        {"a settings file to convert is read-only", u"950",
         [] { tw_test::MakeReadOnly("config/main.ini"); }},
        {"the product configuration is read-only", u"1252",
         [] { tw_test::MakeReadOnly("drovak.conf"); }},
        {"the entered language's copy cannot be read", u"1252",
         [] { std::filesystem::create_directory("config/res_1252.txt"); }},
        {"the entered language's data dictionary cannot be read", u"950",
         [] { std::filesystem::create_directory("data/data_950.sql"); }},
        {"a code that cannot name a file", u"a/b",
         [] {
             WritePrivateProfileStringW(u"translate", u"languages", u"936:A;950:B;a/b:C",
                                        kStaticIni);
         }},
        {"a code with a control character", u"x\ty",
         [] {
             WritePrivateProfileStringW(u"translate", u"languages", u"936:A;950:B;x\ty:C",
                                        kStaticIni);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder caseFolder;
        tw_test::CopyProductFixture();
        c.spoil();
        const Snapshot before = TakeSnapshot();

        const Outcome outcome = Apply(c.to);
        EXPECT_EQ(outcome.messages, kFailed);
        EXPECT_TRUE(outcome.open);
        EXPECT_EQ(outcome.languageCode, u"936");
        EXPECT_EQ(outcome.selected, u"936");
        EXPECT_EQ(TakeSnapshot(), before);
    }
}

// A file that takes its new bytes only when the others are in place already (here: the
// disk fills up) makes the switch give every file its old bytes back.
TEST_F(LanguageSwitchTest, AFailureWhileReplacingGivesEveryFileItsOldBytesBack) {
    // 4,000 lines ending in LF: 8,000 bytes that grow to 12,000 with CR LF.
    std::string lines;
    for (int i = 0; i < 4000; ++i) {
        lines += "a\n";
    }
    WriteBytes("config/big.ini", lines);
    const Snapshot before = TakeSnapshot();
    Outcome outcome;
    {
        tw_test::FileSizeLimit full(10000);
        outcome = Apply(u"950");
    }
    EXPECT_EQ(outcome.messages, kFailed);
    EXPECT_TRUE(outcome.open);
    EXPECT_EQ(outcome.selected, u"936");
    Snapshot after = TakeSnapshot();
    std::erase_if(after, [](const auto& file) { return file.first.ends_with(".tarnwell-new"); });
    EXPECT_EQ(after, before);

    // With room on the disk the same switch goes through.
    EXPECT_EQ(Apply(u"950").messages, kSucceeded);
    EXPECT_EQ(ReadBytes("config/big.ini").size(), 12000u);
}

TEST_F(LanguageSwitchTest, TheSelectionHelpersGoByTheItemsCode) {
    WriteBytes("config/static.ini",
               "[translate]\r\nsystem-language-code=1033\r\nlanguages=en:Lower;EN:Upper;936:A\r\n");
    CTarnwellDlg dialog;
    EXPECT_EQ(GetSelectedLanguageCode(dialog), nullptr);  // no window, no combo box
    SelectLanguageByCode(dialog, u"936");
    ASSERT_TRUE(dialog.Create());
    CWnd* combo = dialog.GetDlgItem(IDC_LANGUAGE);
    EXPECT_EQ(GetSelectedLanguageCode(dialog), nullptr);  // nothing selected

    // Items in code order: 936, EN, en; codes compare case-sensitively.
    SelectLanguageByCode(dialog, u"EN");
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), 1);
    EXPECT_EQ(GetSelectedLanguageCode(dialog), &dialog.m_languageTable.find(u"EN")->first);
    SelectLanguageByCode(dialog, u"en");
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), 2);
    SelectLanguageByCode(dialog, u"fr");
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), 2);

    // An item without a code is passed over and never reported.
    SelectLanguageByCode(dialog, u"936");
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), 0);
    combo->SendMessage(CB_SETITEMDATA, 1, CB_ERR);
    SelectLanguageByCode(dialog, u"en");
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), 2);
    combo->SendMessage(CB_SETCURSEL, 1);
    EXPECT_EQ(GetSelectedLanguageCode(dialog), nullptr);
}

}  // namespace
