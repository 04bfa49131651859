// Confirming a translation through the real dialog: what the translation files cannot
// hold as typed is refused before anything is written, and a translation of any length
// is stored whole.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/mfc/message_box.h"
#include "platform/mfc/resource_module.h"
#include "resources/resource.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/temp_folder.h"
#include "tests/support/utf16_file.h"
#include "tests/support/widget_access.h"
#include "tests/workbench/product_folder_driver.h"
#include "workbench/tarnwell_dlg.h"

namespace {

using tw_test::ReadBytes;
using tw_test::Utf16LeBytes;
using tw_test::Utf16LeFile;
using tw_test::WriteBytes;
using Texts = std::vector<std::u16string>;

// Two interface texts that share 打开; data.sql (GBK) holds the literals 性别=男, [重要],
// ' 男 ', 男 with a tab after it, and 女.
const std::u16string kPending = u"[str]\r\n0000000011=打开\r\n0000000012=打开\r\n";
const std::u16string kTranslations = u"[str]\r\n0000000009=Close\r\n";
const std::string kDataSql =
    "INSERT INTO t VALUES ('\xD0\xD4\xB1\xF0=\xC4\xD0', '[\xD6\xD8\xD2\xAA]', ' \xC4\xD0 ',"
    " '\xC4\xD0\t', '\xC5\xAE');\r\n";

enum class View { kPendingView, kTranslatedView };

class ConfirmTranslation : public testing::Test {
  protected:
    void SetUp() override { AfxSetResourceHandle(TarnwellResources()); }

    // The dialog in a language that lists the data dictionary first, on the view given.
    CTarnwellDlg& Open(View view) {
        WriteBytes("config/static.ini", "[translate]\r\nsystem-language-code=1252\r\n");
        dialog_ = std::make_unique<CTarnwellDlg>();
        EXPECT_TRUE(dialog_->Create());
        WidgetOfWindow(dialog_->m_hWnd)->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(WidgetOfWindow(dialog_->m_hWnd)));
        if (view == View::kTranslatedView) {
            QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
        }
        return *dialog_;
    }

    QWidget* Control(int id) { return WidgetOfControl(dialog_->m_hWnd, id); }
    std::u16string Text(int id) { return GetDlgItemWString(id, dialog_.get()); }
    Texts Column(int column) { return tw_test::ListColumn(dialog_->m_list, column); }

    std::vector<int> SelectedRows() { return tw_test::SelectedRows(dialog_->m_list); }

    // Types the text key by key, each "\n" as Ctrl+Enter, the line break of the edit.
    void TypeWithBreaks(const QString& text) {
        const QStringList lines = text.split(u'\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) {
                QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return, Qt::ControlModifier);
            }
            tw_test::Type(Control(IDC_TRANSLATION), lines[i]);
        }
    }

    tw_test::TempFolder folder_;
    ScriptedResponder responder_;
    ScopedDialogResponder scoped_{responder_};
    std::unique_ptr<CTarnwellDlg> dialog_;
};

// Rows of the pending view: the five literals (0 to 4), then the two interface texts.
constexpr int kEqualsRow = 0;
constexpr int kBracketRow = 1;
constexpr int kBlanksRow = 2;
constexpr int kTabRow = 3;
constexpr int kWomanRow = 4;
constexpr int kOpenRow = 5;

constexpr char16_t kLineBreak[] = u"翻译结果不能换行，请删除换行后再确认！";
constexpr char16_t kBlankEnds[] = u"翻译结果的开头和结尾不能是空格或制表符，请删除后再确认！";
constexpr char16_t kQuoted[] = u"翻译结果不能整个放在一对引号里，请修改后再确认！";
constexpr char16_t kLiteralEquals[] = u"这段文字含有“=”，它的翻译无法保存！";
constexpr char16_t kLiteralBracket[] = u"这段文字以“[”开头，它的翻译无法保存！";
constexpr char16_t kLiteralBlanks[] = u"这段文字的开头或结尾是空格或制表符，它的翻译无法保存！";
constexpr char16_t kFailed[] = u"操作失败";
constexpr UINT kExclamation = MB_OK | MB_ICONEXCLAMATION;

// Each case leaves res.txt and data.ini as they were, the rows, the selection and the
// edit unchanged, and says why in one message box.
TEST_F(ConfirmTranslation, WhatAFileCannotHoldAsTypedIsRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* name;
        int row;
        QString typed;  // "\n": Ctrl+Enter
        std::string resTxt;
        std::optional<std::string> dataIni;  // nullopt: missing
        const char16_t* message;
        UINT type;
        std::u16string edit;  // the edit's text afterwards, as typed
    };
    const std::string translations = Utf16LeFile(kTranslations);
    const Case cases[] = {
        {"a line break that would inject a key", kOpenRow, "line1\n0484226451=INJECTED",
         translations, std::nullopt, kLineBreak, kExclamation, u"line1\r\n0484226451=INJECTED"},
        {"a line break before a final one", kOpenRow, "a\n\n", translations, std::nullopt,
         kLineBreak, kExclamation, u"a\r\n\r\n"},
        {"a blank at the start", kOpenRow, " Open", translations, std::nullopt, kBlankEnds,
         kExclamation, u" Open"},
        {"a tab at the end", kOpenRow, "Open\t", translations, std::nullopt, kBlankEnds,
         kExclamation, u"Open\t"},
        {"a blank before the final line break", kOpenRow, "Open \n", translations, std::nullopt,
         kBlankEnds, kExclamation, u"Open \r\n"},
        {"in double quotes", kOpenRow, "\"Open\"", translations, std::nullopt, kQuoted,
         kExclamation, u"\"Open\""},
        {"in apostrophes", kWomanRow, "'F'", translations, std::nullopt, kQuoted, kExclamation,
         u"'F'"},
        {"a literal with an equals sign", kEqualsRow, "Gender", translations, std::nullopt,
         kLiteralEquals, kExclamation, u"Gender"},
        {"a literal that reads as a section header", kBracketRow, "Important", translations,
         Utf16LeFile(u"[str]\r\n"), kLiteralBracket, kExclamation, u"Important"},
        {"a literal with blanks around it", kBlanksRow, "Male", translations, std::nullopt,
         kLiteralBlanks, kExclamation, u"Male"},
        {"a literal with a tab at its end", kTabRow, "Male", translations, std::nullopt,
         kLiteralBlanks, kExclamation, u"Male"},
        {"res.txt in UTF-16LE without its mark", kOpenRow, "Open", Utf16LeBytes(kTranslations),
         std::nullopt, kFailed, MB_OK, u"Open"},
        {"res.txt in UTF-16BE", kOpenRow, "Open", std::string("\xFE\xFF\0[", 4), std::nullopt,
         kFailed, MB_OK, u"Open"},
        {"res.txt in code page 936", kOpenRow, "Open", "[str]\r\n0000000009=Close\r\n",
         std::nullopt, kFailed, MB_OK, u"Open"},
        {"data.ini in UTF-8", kWomanRow, "Female", translations, "\xEF\xBB\xBF[str]\r\n", kFailed,
         MB_OK, u"Female"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        tw_test::TempFolder folder;
        WriteBytes("config/res.todo.txt", Utf16LeFile(kPending));
        WriteBytes("config/res.txt", c.resTxt);
        WriteBytes("data/data.sql", kDataSql);
        if (c.dataIni) {
            WriteBytes("data/data.ini", *c.dataIni);
        }
        CTarnwellDlg& dialog = Open(View::kPendingView);
        tw_test::ClickListRow(dialog, c.row);
        const ResourceEntry current = dialog.m_current;
        const Texts translationsShown = Column(2);
        const tw_test::Snapshot before = tw_test::TakeSnapshot();
        responder_.messageBoxes.clear();

        TypeWithBreaks(c.typed);
        QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return);

        EXPECT_EQ(tw_test::Texts(responder_), Texts{c.message});
        EXPECT_EQ(responder_.messageBoxes.empty() ? 0 : responder_.messageBoxes[0].type, c.type);
        EXPECT_EQ(tw_test::TakeSnapshot(), before);
        EXPECT_EQ(Column(2), translationsShown);
        EXPECT_EQ(SelectedRows(), std::vector<int>{c.row});
        EXPECT_EQ(dialog.m_current.key, current.key);
        EXPECT_EQ(dialog.m_current.translation, current.translation);
        EXPECT_EQ(Text(IDC_TRANSLATION), c.edit);
    }
}

// One final line break, which the translated view shows at the end of every stored
// translation, is the end of the line it is stored on.
TEST_F(ConfirmTranslation, AFinalLineBreakEndsTheStoredLine) {
    WriteBytes("config/res.todo.txt", Utf16LeFile(kPending));
    WriteBytes("config/res.txt", Utf16LeFile(kTranslations));
    WriteBytes("data/data.sql", kDataSql);
    CTarnwellDlg& dialog = Open(View::kPendingView);
    tw_test::ClickListRow(dialog, kWomanRow);
    TypeWithBreaks("Female\n");
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return);
    EXPECT_EQ(ReadBytes("data/data.ini"), Utf16LeFile(u"[str]\r\n女=Female\r\n"));

    ASSERT_EQ(dialog.m_current.key, u"0000000011") << "the confirm moved to the next row";
    TypeWithBreaks("Open\n");
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return);
    const std::string stored =
        Utf16LeFile(kTranslations + u"0000000011=Open\r\n0000000012=Open\r\n");
    EXPECT_EQ(ReadBytes("config/res.txt"), stored);
    EXPECT_EQ(Column(2).at(kOpenRow), u"Open\r\n") << "shown as typed";

    // Confirmed unchanged in the translated view, where it shows with its line break.
    QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
    ASSERT_EQ(Column(2), (Texts{u"Female", u"Close\n", u"Open\n", u"Open\n"}));
    tw_test::ClickListRow(dialog, 0);
    for (int row = 0; row < 4; ++row) {  // each confirm moves to the next row
        QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return);
    }
    EXPECT_EQ(ReadBytes("config/res.txt"), stored);
    EXPECT_EQ(ReadBytes("data/data.ini"), Utf16LeFile(u"[str]\r\n女=Female\r\n"));
    EXPECT_TRUE(responder_.messageBoxes.empty());
}

// 1,048,576 characters in words of seven letters and a blank, the last one "x": the edit
// lays out a text without blanks very slowly.
std::u16string MebibyteOfWords() {
    std::u16string text;
    while (text.size() < (1u << 20)) {
        text += u"abcdefg ";
    }
    text.back() = u'x';
    return text;
}

TEST_F(ConfirmTranslation, AMebibyteTranslationSurvivesSelectExtendAndConfirm) {
    const std::u16string longText = MebibyteOfWords();
    WriteBytes("config/res.todo.txt", Utf16LeFile(kPending));
    WriteBytes("config/res.txt",
               Utf16LeFile(u"[str]\r\n0000000011=" + longText + u"\r\n0000000009=Close\r\n"));
    CTarnwellDlg& dialog = Open(View::kTranslatedView);
    tw_test::ClickListRow(dialog, 0);
    ASSERT_EQ(Text(IDC_TRANSLATION), longText + u"\n") << "shown whole";

    // At the end of the text, before its line break.
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Left);
    tw_test::Type(Control(IDC_TRANSLATION), "Z");
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return);

    EXPECT_TRUE(responder_.messageBoxes.empty());
    EXPECT_EQ(ReadBytes("config/res.txt"),
              Utf16LeFile(u"[str]\r\n0000000011=" + longText + u"Z\r\n0000000009=Close\r\n"));
    QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
    tw_test::ClickListRow(dialog, 0);
    EXPECT_EQ(Text(IDC_TRANSLATION), longText + u"Z\n");
    QTest::mouseClick(Control(IDC_SHOW_PENDING), Qt::LeftButton);
    EXPECT_EQ(Column(0), Texts{u"0000000012"}) << "found translated by its key";
}

}  // namespace
