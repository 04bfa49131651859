#include "workbench/tarnwell_dlg.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "platform/mfc/gdi.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/temp_folder.h"
#include "tests/support/widget_access.h"

namespace {

namespace fs = std::filesystem;

std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

void WriteStaticIni(const std::string& text) {
    fs::create_directories("config");
    tw_test::WriteBytes("config/static.ini", text);
}

std::u16string Text(CWnd& dialog, int id) {
    return GetDlgItemWString(id, &dialog);
}

class DialogTest : public testing::Test {
  protected:
    void SetUp() override { AfxSetResourceHandle(TarnwellResources()); }
    tw_test::TempFolder folder;
};

TEST_F(DialogTest, ConstructorReadsTheLanguageCodeAndTheThreeSwitches) {
    struct Case {
        const char* name;
        std::string ini;
        std::u16string code;
        BOOL enabled;
    };
    const Case cases[] = {
        {"no file", "", u"936", 0},
        {"all three on",
         "[translate]\nsystem-language-code=1252\nenable-dlg-translate=1\n"
         "enable-code-translate=1\nres-create-missing-file=1\n",
         u"1252", 1},
        {"any non-zero values",
         "[translate]\nenable-dlg-translate=5\nenable-code-translate=-1\nres-create-missing-file="
         "9\n",
         u"936", 1},
        {"the third off",
         "[translate]\nenable-dlg-translate=1\nenable-code-translate=1\nres-create-missing-file="
         "0\n",
         u"936", 0},
        {"the third missing", "[translate]\nenable-dlg-translate=1\nenable-code-translate=1\n",
         u"936", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all("config");
        if (!c.ini.empty()) {
            WriteStaticIni(c.ini);
        }
        CTarnwellDlg dialog;
        EXPECT_EQ(dialog.m_languageCode, c.code);
        EXPECT_EQ(dialog.m_enableTranslation, c.enabled);
        EXPECT_EQ(dialog.m_showPending, 1);
        EXPECT_NE(dialog.m_hIcon, nullptr);
        EXPECT_EQ(dialog.m_hIcon, LoadIconW(TarnwellResources(), IDR_MAINFRAME));
        EXPECT_TRUE(dialog.m_filter.empty());
        EXPECT_TRUE(dialog.m_languageTable.empty());
        EXPECT_TRUE(dialog.m_pendingEntries.empty() && dialog.m_translatedEntries.empty());
        EXPECT_TRUE(dialog.m_pendingByKey.empty() && dialog.m_sqlLines.empty());
        EXPECT_TRUE(dialog.m_current.IsEmpty());
        EXPECT_EQ(dialog.m_list.m_hWnd, nullptr);
    }
}

TEST_F(DialogTest, InitDialogFillsTheControlsFromTheFixture) {
    fs::create_directories("config");
    fs::copy_file(TW_FIXTURES "/dialog/static.ini", "config/static.ini");
    CTarnwellDlg dialog;
    ASSERT_TRUE(dialog.Create());

    // The language table, in code order as text, and the current language selected.
    const LanguageTable want{{u"1252", u"English"}, {u"936", u"简体中文"}, {u"950", u"繁體中文"}};
    EXPECT_EQ(dialog.m_languageTable, want);
    CWnd* combo = dialog.GetDlgItem(IDC_LANGUAGE);
    ASSERT_EQ(combo->SendMessage(CB_GETCOUNT), 3);
    auto* comboWidget = static_cast<QComboBox*>(WidgetOfControl(dialog.m_hWnd, IDC_LANGUAGE));
    EXPECT_EQ(comboWidget->itemText(0), QString("English"));
    EXPECT_EQ(comboWidget->itemText(1), QString("简体中文"));
    EXPECT_EQ(comboWidget->itemText(2), QString("繁體中文"));
    EXPECT_EQ(combo->SendMessage(CB_GETCURSEL), 2);
    for (WPARAM i = 0; i < 3; ++i) {
        const auto* code =
            reinterpret_cast<const std::u16string*>(combo->SendMessage(CB_GETITEMDATA, i));
        EXPECT_EQ(code, &std::next(dialog.m_languageTable.begin(), static_cast<long>(i))->first);
    }

    // Switches 1, 2, 1: the check box is checked.
    EXPECT_TRUE(static_cast<QCheckBox*>(WidgetOfControl(dialog.m_hWnd, IDC_ENABLE_TRANSLATION))
                    ->isChecked());
    const std::pair<int, std::u16string> edits[] = {
        {IDC_SPLASH_PATH, u".\\config\\loading.bmp"},
        {IDC_BACKGROUND_PATH, u".\\config\\bg.jpg"},
        {IDC_TRANSPARENT_COLOR, u"-1"},  // 4294967295 printed with "%ld"
        {IDC_WEB_LOGO_PATH, u".\\web\\oss\\logo.gif"},
        {IDC_AGENT_ICON_PATH, u".\\agent.bmp"},
        {IDC_SHORTCUT_NAME, u"Corvantis"},
    };
    for (const auto& [id, text] : edits) {
        SCOPED_TRACE(id);
        EXPECT_EQ(Text(dialog, id), text);
    }

    // The list: exactly grid lines and full-row selection, three columns.
    EXPECT_EQ(dialog.GetDlgItem(IDC_RESOURCE_LIST), &dialog.m_list);
    EXPECT_EQ(dialog.m_list.GetExtendedStyle(), 0x21u);
    const QAbstractItemModel* model =
        static_cast<QTableView*>(WidgetOfControl(dialog.m_hWnd, IDC_RESOURCE_LIST))->model();
    ASSERT_EQ(model->columnCount(), 3);
    const std::pair<QString, int> columns[] = {{"标志", 100}, {"翻译前", 300}, {"翻译后", 300}};
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString(), columns[c].first);
        EXPECT_EQ(dialog.m_list.GetColumnWidth(c), columns[c].second);
    }
    EXPECT_EQ(dialog.m_list.GetItemCount(), 0);

    EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_BIG)), dialog.m_hIcon);
    EXPECT_EQ(reinterpret_cast<HICON>(dialog.SendMessage(WM_GETICON, ICON_SMALL)), dialog.m_hIcon);
    EXPECT_FALSE(WidgetOfWindow(dialog.m_hWnd)->windowIcon().isNull());
    EXPECT_EQ(reinterpret_cast<HCURSOR>(dialog.SendMessage(WM_QUERYDRAGICON)), dialog.m_hIcon);
}

TEST_F(DialogTest, WithoutStaticIniTheControlsGetTheirFixedDefaults) {
    CTarnwellDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetDlgItem(IDC_LANGUAGE)->SendMessage(CB_GETCOUNT), 0);
    EXPECT_EQ(dialog.GetDlgItem(IDC_LANGUAGE)->SendMessage(CB_GETCURSEL), CB_ERR);
    EXPECT_EQ(Text(dialog, IDC_TRANSPARENT_COLOR), u"0");
    EXPECT_FALSE(static_cast<QCheckBox*>(WidgetOfControl(dialog.m_hWnd, IDC_ENABLE_TRANSLATION))
                     ->isChecked());
}

TEST_F(DialogTest, ACodeMissingFromTheTableSelectsNothing) {
    WriteStaticIni("[translate]\nsystem-language-code=1033\nlanguages=936:A;950:B\n");
    CTarnwellDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetDlgItem(IDC_LANGUAGE)->SendMessage(CB_GETCOUNT), 2);
    EXPECT_EQ(dialog.GetDlgItem(IDC_LANGUAGE)->SendMessage(CB_GETCURSEL), CB_ERR);
}

TEST_F(DialogTest, ShortcutNameFileIsReadInItsEncoding) {
    struct Case {
        const char* name;
        std::string code;
        std::optional<std::string> bytes;
        std::u16string want;
    };
    const Case cases[] = {
        {"UTF-16 with mark", "936", Utf16File(u"Corvantis 管理中心"), u"Corvantis 管理中心"},
        {"UTF-16 with mark, other code", "1252", Utf16File(u"繁體名稱"), u"繁體名稱"},
        {"only the mark", "936", std::string("\xFF\xFE"), u"Corvantis"},
        {"GBK for 936", "936", std::string("\xB9\xDC\xC0\xED"), u"管理"},
        {"Big5 for 950", "950", std::string("\xBA\xDE\xB2\x7A"), u"管理"},
        {"1252 for 1252", "1252", std::string("Caf\xE9"), u"Café"},
        {"empty file", "936", std::string(), u"Corvantis"},
        {"no file", "936", std::nullopt, u"Corvantis"},
        {"a code that is no code page", "1033", std::string("name"), u"Corvantis"},
        // A code that is no number reads as 0, the ANSI code page (936).
        {"a code that is no number", "abc", std::string("\xB9\xDC"), u"管"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteStaticIni("[translate]\nsystem-language-code=" + c.code + "\n");
        fs::remove(u8"软件名称.txt");
        if (c.bytes) {
            tw_test::WriteBytes(u8"软件名称.txt", *c.bytes);
        }
        CTarnwellDlg dialog;
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(Text(dialog, IDC_SHORTCUT_NAME), c.want);
    }
}

TEST(LoadLanguageTable, ReadsCodeNamePairs) {
    tw_test::TempFolder folder;
    struct Case {
        const char* name;
        std::string value;
        LanguageTable want;
    };
    const Case cases[] = {
        {"codes ascending as text",
         "950:B;936:A;1252:E",
         {{u"1252", u"E"}, {u"936", u"A"}, {u"950", u"B"}}},
        {"a later code replaces", "936:A;936:B", {{u"936", u"B"}}},
        {"one part or three are skipped", "936;950:A:B;1252:E", {{u"1252", u"E"}}},
        {"a doubled colon is one separator", "936::A", {{u"936", u"A"}}},
        {"blanks are trimmed",
         " 936 : \xBC\xF2\xCC\xE5 ;950:B",
         {{u"936", u"简体"}, {u"950", u"B"}}},
        {"a blank item ends the list", "936:A; ;950:B", {{u"936", u"A"}}},
        {"runs of semicolons are one", "936:A;;;950:B", {{u"936", u"A"}, {u"950", u"B"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::WriteBytes("t.ini", "[translate]\nlanguages=" + c.value + "\n");
        LanguageTable table{{u"old", u"gone"}};
        EXPECT_EQ(LoadLanguageTable(u".\\t.ini", u"translate", u"languages", table),
                  static_cast<int>(c.want.size()));
        EXPECT_EQ(table, c.want);
    }
    LanguageTable table{{u"old", u"gone"}};
    EXPECT_EQ(LoadLanguageTable(u".\\t.ini", u"translate", u"missing", table), 0);
    EXPECT_TRUE(table.empty());
}

TEST_F(DialogTest, WindowTextHelpersGiveEmptyTextsForMissingWindows) {
    CTarnwellDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(GetWindowWString(nullptr), u"");
    EXPECT_EQ(GetDlgItemWString(4711, &dialog), u"");
    EXPECT_EQ(GetDlgItemWString(IDC_SHORTCUT_NAME, nullptr), u"");
    EXPECT_EQ(GetWindowWString(&dialog), u"翻译及个性化");
    dialog.GetDlgItem(IDC_FILTER)->SetWindowText(u"过滤");
    EXPECT_EQ(GetDlgItemWString(IDC_FILTER, &dialog), u"过滤");
}

TEST_F(DialogTest, MinimisedItPaintsTheIconInTheMiddle) {
    CTarnwellDlg dialog;
    ASSERT_TRUE(dialog.Create());
    QWidget* window = WidgetOfWindow(dialog.m_hWnd);
    window->showMinimized();
    ASSERT_TRUE(dialog.IsIconic());
    QImage picture(window->size(), QImage::Format_ARGB32);
    picture.fill(Qt::magenta);
    window->render(&picture);
    const int x = (window->width() - 32 + 1) / 2;
    const int y = (window->height() - 32 + 1) / 2;
    // The icon's middle pixel is white (the front bubble); its surroundings the
    // erased background, not the magenta the picture started with.
    EXPECT_EQ(picture.pixelColor(x + 20, y + 20), QColor(Qt::white));
    EXPECT_NE(picture.pixelColor(2, 2), QColor(Qt::magenta));
}

TEST_F(DialogTest, ExitEscAndTheCloseBoxEndTheModalLoopWithIdCancel) {
    struct Case {
        const char* name;
        void (*act)(HWND dialog);
    };
    const Case cases[] = {
        {"退出", [](HWND d) { QTest::mouseClick(WidgetOfControl(d, IDCANCEL), Qt::LeftButton); }},
        {"Esc in the translation edit",
         [](HWND d) { QTest::keyClick(WidgetOfControl(d, IDC_TRANSLATION), Qt::Key_Escape); }},
        {"Esc", [](HWND d) { QTest::keyClick(WidgetOfWindow(d), Qt::Key_Escape); }},
        {"close box", [](HWND d) { WidgetOfWindow(d)->close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CTarnwellDlg dialog;
        QTimer::singleShot(0, [&] { c.act(dialog.m_hWnd); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.m_hWnd, nullptr);
    }
}

}  // namespace
