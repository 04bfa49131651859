#include <gtest/gtest.h>

#include <QApplication>
#include <QTableView>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/mfc/message_box.h"
#include "platform/mfc/resource_module.h"
#include "platform/win32/profile.h"
#include "resources/resource.h"
#include "resources/tarnwell_resources.h"
#include "tests/support/dialog_responders.h"
#include "tests/support/temp_folder.h"
#include "tests/support/utf16_file.h"
#include "tests/support/widget_access.h"
#include "tests/workbench/product_folder_driver.h"
#include "workbench/data_dictionary.h"
#include "workbench/tarnwell_dlg.h"
#include "workbench/translation_list.h"

namespace {

namespace fs = std::filesystem;
using tw_test::ReadBytes;
using tw_test::Type;
using tw_test::Utf16LeFile;
using tw_test::WriteBytes;

// Pending file: two keys share the source text 打开, key 2 stands twice, key 4 is
// translated already. The translation file also holds a key the pending file lacks.
const std::u16string kPending =
    u"[str]\r\n0000000001=打开\r\n0000000002=保存\r\n0000000003=打开\r\n0000000002=另存\r\n"
    u"0000000004=关闭\r\n0000000005=abc";
const std::u16string kTranslations = u"[str]\r\n0000000004=Close\r\n0000000099=Orphan\r\n";

// GBK data dictionary: 男 (with 'M' beside it), It''s 中文, ' 男 ', a literal of
// full-width punctuation only, 男 again, then a blank line after which nothing counts.
const std::string kDataSql =
    "INSERT INTO sex VALUES (1, '\xC4\xD0', 'M');\r\n"
    "INSERT INTO t VALUES ('It''s \xD6\xD0\xCE\xC4');\r\n"
    "\r\n"
    "(' \xC4\xD0 ', '\xA3\xAC\xA1\xA3')\r\n"
    "('\xC4\xD0')\r\n"
    "   \r\n"
    "('\xC5\xAE')\r\n";

struct Notified {
    int row;
    UINT oldState;
    UINT newState;
    bool operator==(const Notified&) const = default;
};
using Notifications = std::vector<Notified>;
constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;

// The dialog, recording each list notification that reaches it.
class RecordingDlg : public CTarnwellDlg {
  public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const auto* change = reinterpret_cast<const NMLISTVIEW*>(lParam);
        if (message == WM_NOTIFY && change->hdr.code == LVN_ITEMCHANGED) {
            notifications.push_back({change->iItem, change->uOldState, change->uNewState});
        }
        return CTarnwellDlg::WindowProc(message, wParam, lParam);
    }
    Notifications notifications;
};

class TranslationList : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetResourceHandle(TarnwellResources());
        WriteBytes("config/res.todo.txt", Utf16LeFile(kPending));
        WriteBytes("config/res.txt", Utf16LeFile(kTranslations));
        WriteBytes("data/data.sql", kDataSql);
    }

    // The dialog, opened on a static.ini with this language code.
    RecordingDlg& Open(const std::string& code = "936") {
        WriteBytes("config/static.ini", "[translate]\r\nsystem-language-code=" + code + "\r\n");
        return Show();
    }
    // The dialog on a copy of examples/product.
    RecordingDlg& OpenExampleProduct() {
        fs::copy(TW_EXAMPLES "/product", ".",
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
        return Show();
    }
    RecordingDlg& Show() {
        dialog_ = std::make_unique<RecordingDlg>();
        EXPECT_TRUE(dialog_->Create());
        WidgetOfWindow(dialog_->m_hWnd)->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(WidgetOfWindow(dialog_->m_hWnd)));
        return *dialog_;
    }

    QWidget* Control(int id) { return WidgetOfControl(dialog_->m_hWnd, id); }
    QTableView* View() { return static_cast<QTableView*>(Control(IDC_RESOURCE_LIST)); }
    std::u16string Text(int id) { return GetDlgItemWString(id, dialog_.get()); }

    std::vector<std::u16string> Column(int column) {
        return tw_test::ListColumn(dialog_->m_list, column);
    }

    void ClickRow(int row) { tw_test::ClickListRow(*dialog_, row); }

    void TypeAndConfirm(const QString& text) {
        Type(Control(IDC_TRANSLATION), text);
        QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return);
    }

    // The row that has the focus: the one the last selection moved to.
    int FocusedRow() {
        for (int row = 0; row < dialog_->m_list.GetItemCount(); ++row) {
            if (dialog_->m_list.GetItemState(row, LVIS_FOCUSED) != 0) {
                return row;
            }
        }
        return -1;
    }

    std::vector<int> SelectedRows() { return tw_test::SelectedRows(dialog_->m_list); }

    tw_test::TempFolder folder_;
    ScriptedResponder responder_;
    ScopedDialogResponder scoped_{responder_};
    std::unique_ptr<RecordingDlg> dialog_;
};

using Texts = std::vector<std::u16string>;

TEST_F(TranslationList, PendingViewListsUntranslatedLinesWithTheirLineEnds) {
    CTarnwellDlg& dialog = Open();
    EXPECT_EQ(Column(0),
              (Texts{u"0000000001", u"0000000002", u"0000000003", u"0000000002", u"0000000005"}));
    EXPECT_EQ(Column(1), (Texts{u"打开\n", u"保存\n", u"打开\n", u"另存\n", u"abc"}));
    EXPECT_EQ(Column(2), Texts(5));
    EXPECT_EQ(Text(IDC_RECORD_COUNT), u"5 records Found");
    EXPECT_EQ(dialog.m_pendingByKey.at(u"0000000002").text, u"另存\n") << "the later line wins";
    EXPECT_EQ(dialog.m_pendingByKey.at(u"0000000004").text, u"关闭\n") << "stored, not listed";
    EXPECT_TRUE(SelectedRows().empty());
}

TEST_F(TranslationList, TranslatedViewListsEveryKeyedLine) {
    Open();
    QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
    EXPECT_EQ(Column(0), (Texts{u"0000000004", u"0000000099"}));
    EXPECT_EQ(Column(1), (Texts{u"关闭\n", u""}));
    EXPECT_EQ(Column(2), (Texts{u"Close\n", u"Orphan\n"}));
    EXPECT_EQ(Text(IDC_RECORD_COUNT), u"2 records Found");
    QTest::mouseClick(Control(IDC_SHOW_PENDING), Qt::LeftButton);
    EXPECT_EQ(Text(IDC_RECORD_COUNT), u"5 records Found");
}

TEST_F(TranslationList, FilterRebuildsTheListOnEveryKeystroke) {
    Open();
    struct Step {
        const char* typed;  // what is added to the filter
        Texts keys;
    } const steps[] = {
        {"0", {u"0000000001", u"0000000002", u"0000000003", u"0000000002", u"0000000005"}},
        {"3", {u"0000000003"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.typed);
        Type(Control(IDC_FILTER), step.typed);
        EXPECT_EQ(Column(0), step.keys);
    }
    QTest::keyClick(Control(IDC_FILTER), Qt::Key_Backspace);
    QTest::keyClick(Control(IDC_FILTER), Qt::Key_Backspace);
    Type(Control(IDC_FILTER), "打开");
    EXPECT_EQ(Column(0), (Texts{u"0000000001", u"0000000003"}));
    QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
    EXPECT_EQ(Column(0), Texts{}) << "the filter survives the change of view";
    Type(Control(IDC_FILTER), "x");  // 打开x: nothing
    EXPECT_EQ(Text(IDC_RECORD_COUNT), u"0 records Found");
    for (int i = 0; i < 3; ++i) {
        QTest::keyClick(Control(IDC_FILTER), Qt::Key_Backspace);
    }
    Type(Control(IDC_FILTER), "关闭");
    EXPECT_EQ(Column(0), Texts{u"0000000004"}) << "found in the source text only";
    QTest::keyClick(Control(IDC_FILTER), Qt::Key_Backspace);
    QTest::keyClick(Control(IDC_FILTER), Qt::Key_Backspace);
    Type(Control(IDC_FILTER), "orphan");
    EXPECT_EQ(Column(0), Texts{}) << "case counts";
}

TEST_F(TranslationList, TheFilterIsSoughtInTheLineAsRead) {
    Open();
    struct Case {
        const char* name;
        std::u16string filter;
        Texts pendingKeys;
        Texts translatedKeys;
    } const cases[] = {
        {"the equals sign of every line",
         u"=",
         {u"0000000001", u"0000000002", u"0000000003", u"0000000002", u"0000000005"},
         {u"0000000004", u"0000000099"}},
        {"across key, equals sign and text", u"1=打", {u"0000000001"}, {}},
        {"the line break of the text", u"开\n", {u"0000000001", u"0000000003"}, {}},
        {"across key and translation", u"4=Cl", {}, {u"0000000004"}},
        {"not past the end of the line", u"abc\n", {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog_->GetDlgItem(IDC_FILTER)->SetWindowText(c.filter.c_str());
        QTest::mouseClick(Control(IDC_SHOW_PENDING), Qt::LeftButton);
        EXPECT_EQ(Column(0), c.pendingKeys);
        QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
        EXPECT_EQ(Column(0), c.translatedKeys);
    }
}

TEST_F(TranslationList, ClickShowsTheRowAndEnterStoresTheTranslationUnderEveryMatchingKey) {
    CTarnwellDlg& dialog = Open();
    ClickRow(0);
    EXPECT_EQ(Text(IDC_CURRENT_TEXT), u"打开\n");
    EXPECT_EQ(Text(IDC_TRANSLATION), u"");
    TypeAndConfirm("Open");
    EXPECT_EQ(ReadBytes("config/res.txt"),
              Utf16LeFile(u"[str]\r\n0000000004=Close\r\n0000000099=Orphan\r\n0000000001=Open\r\n"
                          u"0000000003=Open\r\n"));
    EXPECT_EQ(Column(2), (Texts{u"Open", u"", u"Open", u"", u""}));
    EXPECT_EQ(FocusedRow(), 1) << "the row below the confirmed key";
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0, 1})) << "other selected rows stay selected";
    EXPECT_EQ(dialog.m_current.key, u"0000000002");
    EXPECT_EQ(Text(IDC_CURRENT_TEXT), u"保存\n");
    EXPECT_EQ(QApplication::focusWidget(), Control(IDC_TRANSLATION));

    // The next row is confirmed straight away: the selection moved there.
    TypeAndConfirm("Save");
    EXPECT_EQ(Column(2), (Texts{u"Open", u"Save", u"Open", u"Save", u""}));
    EXPECT_EQ(FocusedRow(), 4) << "below the last row with key 2";
}

TEST_F(TranslationList, TabIntoAFreshListChangesNothingAndDownSelectsTheFirstRow) {
    RecordingDlg& dialog = Open();
    Type(Control(IDC_TRANSLATION), "typed");
    Control(IDC_APPLY_LANGUAGE)->setFocus();
    QTest::keyClick(Control(IDC_APPLY_LANGUAGE), Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), View());
    EXPECT_TRUE(dialog.notifications.empty());
    EXPECT_EQ(FocusedRow(), -1);
    EXPECT_EQ(Text(IDC_TRANSLATION), u"typed");

    QTest::keyClick(View(), Qt::Key_Down);
    EXPECT_EQ(dialog.notifications, (Notifications{{0, 0, kBoth}}));
    EXPECT_EQ(dialog.m_current.key, u"0000000001");
    EXPECT_EQ(Text(IDC_CURRENT_TEXT), u"打开\n");
}

TEST_F(TranslationList, TextTypedBeforeAReloadOutlivesTheFocusComingBackAndEnterStoresIt) {
    RecordingDlg& dialog = OpenExampleProduct();
    const Texts texts = Column(1);
    const auto urgent = std::find(texts.begin(), texts.end(), u"紧急");
    ASSERT_NE(urgent, texts.end());
    ClickRow(static_cast<int>(urgent - texts.begin()));
    ASSERT_EQ(dialog.m_current.text, u"紧急");
    const std::u16string key = dialog.m_current.key;
    Type(Control(IDC_TRANSLATION), "urgent");
    Type(Control(IDC_FILTER), "0");

    // Shift+Tab from the filter back through the edits and buttons into the list.
    dialog.notifications.clear();
    Control(IDC_FILTER)->setFocus();
    for (int step = 0; step < 8 && QApplication::focusWidget() != View(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    }
    ASSERT_EQ(QApplication::focusWidget(), View());
    EXPECT_TRUE(dialog.notifications.empty());
    EXPECT_EQ(dialog.m_current.key, key);
    EXPECT_EQ(dialog.m_current.text, u"紧急");
    EXPECT_EQ(Text(IDC_TRANSLATION), u"urgent");

    QTest::keyClick(View(), Qt::Key_Return);
    EXPECT_TRUE(responder_.messageBoxes.empty()) << "no 请选择记录";
    std::u16string stored(64, u'\0');
    GetPrivateProfileStringW(u"str", u"紧急", u"", stored.data(), 64, u".\\data\\data.ini");
    EXPECT_EQ(stored.c_str(), std::u16string(u"urgent"));
}

TEST_F(TranslationList, AClickOnAnUnselectedRowTellsTheOldRowsLossFirst) {
    RecordingDlg& dialog = Open();
    ClickRow(1);
    dialog.notifications.clear();
    ClickRow(3);
    EXPECT_EQ(dialog.notifications, (Notifications{{1, kBoth, 0}, {3, 0, kBoth}}));
    EXPECT_EQ(dialog.m_current.key, u"0000000002");
    EXPECT_EQ(Text(IDC_CURRENT_TEXT), u"另存\n");

    // Ctrl+A selects nothing: no notification, and row 3 stays current.
    dialog.notifications.clear();
    QTest::keyClick(View(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(dialog.notifications.empty());
    EXPECT_EQ(SelectedRows(), std::vector<int>{3});
    EXPECT_EQ(Text(IDC_CURRENT_TEXT), u"另存\n");
}

TEST_F(TranslationList, ShiftDownExtendsFromTheRowThatConfirmingMovedTo) {
    RecordingDlg& dialog = Open();
    ClickRow(0);
    TypeAndConfirm("Open");
    ASSERT_EQ(SelectedRows(), (std::vector<int>{0, 1}));
    EXPECT_EQ(dialog.m_list.GetSelectionMark(), 1);
    View()->setFocus();
    QTest::keyClick(View(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{1, 2}));
    EXPECT_EQ(FocusedRow(), 2);
    EXPECT_EQ(dialog.m_current.key, u"0000000003");
}

TEST_F(TranslationList, ShiftEnterConfirmsToo) {
    Open();
    ClickRow(0);
    Type(Control(IDC_TRANSLATION), "Open");
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(Column(2).at(0), u"Open");
    EXPECT_EQ(FocusedRow(), 1);
}

TEST_F(TranslationList, TheLastRowWrapsToTheFirstAndAnEmptyTextStoresNothing) {
    CTarnwellDlg& dialog = Open();
    ClickRow(4);
    const std::string before = ReadBytes("config/res.txt");
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return);
    EXPECT_EQ(ReadBytes("config/res.txt"), before);
    EXPECT_EQ(FocusedRow(), 0);
    EXPECT_EQ(dialog.m_current.key, u"0000000001");
}

TEST_F(TranslationList, ARowLosingItsSelectionClearsTheCurrentEntry) {
    CTarnwellDlg& dialog = Open();
    ClickRow(1);
    ASSERT_EQ(dialog.m_current.key, u"0000000002");
    const QRect cell = View()->visualRect(View()->model()->index(1, 1));
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, Qt::ControlModifier, cell.center());
    EXPECT_TRUE(dialog.m_current.IsEmpty());
    EXPECT_EQ(Text(IDC_CURRENT_TEXT), u"");
    EXPECT_EQ(Text(IDC_TRANSLATION), u"");
}

TEST_F(TranslationList, AnEmptyTextInTheTranslatedViewKeepsTheTranslation) {
    Open();
    QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
    ClickRow(0);
    dialog_->GetDlgItem(IDC_TRANSLATION)->SetWindowText(u"");
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return);
    EXPECT_EQ(Column(2), (Texts{u"Close\n", u"Orphan\n"}));
    EXPECT_EQ(ReadBytes("config/res.txt"), Utf16LeFile(kTranslations));
    EXPECT_EQ(FocusedRow(), 1);
}

TEST_F(TranslationList, NoSelectionAsksForARecord) {
    Open();
    Type(Control(IDC_TRANSLATION), "x");
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Return);
    ASSERT_EQ(responder_.messageBoxes.size(), 1u);
    EXPECT_EQ(responder_.messageBoxes[0].text, u"请选择记录");
    EXPECT_EQ(responder_.messageBoxes[0].type, MB_OK);
    EXPECT_EQ(ReadBytes("config/res.txt"), Utf16LeFile(kTranslations));
}

TEST_F(TranslationList, TranslatedViewReplacesTheValueUnderTheSameKey) {
    Open();
    QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
    ClickRow(1);
    EXPECT_EQ(Text(IDC_TRANSLATION), u"Orphan\n");
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(Control(IDC_TRANSLATION), Qt::Key_Backspace);
    TypeAndConfirm("s");
    EXPECT_EQ(ReadBytes("config/res.txt"),
              Utf16LeFile(u"[str]\r\n0000000004=Close\r\n0000000099=Orphans\r\n"));
    EXPECT_EQ(FocusedRow(), 0);
}

TEST_F(TranslationList, AFailedWriteIsNotShownAsStored) {
    CTarnwellDlg& dialog = Open();
    ClickRow(0);
    tw_test::MakeReadOnly("config/res.txt");
    TypeAndConfirm("Open");
    ASSERT_EQ(responder_.messageBoxes.size(), 1u);
    EXPECT_EQ(responder_.messageBoxes[0].text, u"操作失败");
    EXPECT_EQ(Column(2), Texts(5));
    EXPECT_EQ(SelectedRows(), (std::vector<int>{0}));
    EXPECT_EQ(dialog.m_current.translation, u"");
    EXPECT_EQ(ReadBytes("config/res.txt"), Utf16LeFile(kTranslations));
}

TEST_F(TranslationList, SelectListRowFollowsEveryRowAndNotifiesEvenWhenSelected) {
    CTarnwellDlg& dialog = Open();
    SelectListRow(dialog.m_list, -1);
    EXPECT_EQ(SelectedRows().size(), 5u);
    EXPECT_EQ(dialog.m_current.key, u"0000000005");
    SelectListRow(dialog.m_list, 1);
    EXPECT_EQ(dialog.m_current.key, u"0000000002") << "already selected, still current";
    EXPECT_EQ(Text(IDC_CURRENT_TEXT), u"保存\n");
    dialog.m_filter = u"none";
    dialog.ReloadList();
    EXPECT_EQ(dialog.m_current.key, u"0000000002") << "a reload keeps the current entry";
    EXPECT_EQ(Text(IDC_CURRENT_TEXT), u"保存\n");
}

TEST_F(TranslationList, ChineseLanguagesListNoDataDictionaryTexts) {
    for (const char* code : {"936", "950"}) {
        SCOPED_TRACE(code);
        CTarnwellDlg& dialog = Open(code);
        EXPECT_EQ(Text(IDC_RECORD_COUNT), u"5 records Found");
        EXPECT_TRUE(dialog.m_sqlLines.empty());
    }
}

TEST_F(TranslationList, OtherLanguagesListTheDataDictionaryFirst) {
    WriteBytes("data/data.ini", Utf16LeFile(u"[str]\r\ns 中文=It's Chinese\r\n"));
    CTarnwellDlg& dialog = Open("1252");
    EXPECT_EQ(Column(0), (Texts{u"0000000001", u"0000000003", u"0000000004", u"0000000001",
                                u"0000000002", u"0000000003", u"0000000002", u"0000000005"}));
    EXPECT_EQ(Column(1).at(1), u" 男 ");
    EXPECT_EQ(Text(IDC_RECORD_COUNT), u"8 records Found");
    QTest::mouseClick(Control(IDC_SHOW_TRANSLATED), Qt::LeftButton);
    EXPECT_EQ(Column(0).at(0), u"0000000002");
    EXPECT_EQ(Column(1).at(0), u"s 中文");
    EXPECT_EQ(Column(2).at(0), u"It's Chinese");
    EXPECT_NE(dialog.m_list.GetItemData(0), 0u);
}

TEST_F(TranslationList, AConfirmedLiteralIsStoredOnceUnderItsText) {
    Open("1252");
    ClickRow(0);  // 男, number 1; number 4 is the same literal
    EXPECT_EQ(Text(IDC_CURRENT_TEXT), u"男");
    TypeAndConfirm("male");
    EXPECT_EQ(ReadBytes("data/data.ini"), Utf16LeFile(u"[str]\r\n男=male\r\n"));
    // Rows: 男 (1), s 中文 (2), ' 男 ' (3), 男 (4), then the interface texts.
    EXPECT_EQ(Column(2).at(0), u"male");
    EXPECT_EQ(Column(2).at(3), u"male") << "the same literal on another line";
    EXPECT_EQ(Column(2).at(2), u"") << "' 男 ' is another literal";
    EXPECT_EQ(Column(2).at(4), u"male") << "the interface row with the same digits";
    EXPECT_EQ(FocusedRow(), 5) << "below the interface text that has the same digits";
    EXPECT_EQ(ReadBytes("config/res.txt"), Utf16LeFile(kTranslations));
    // The profile functions trim key names, so ' 男 ' finds the translation of 男 too.
    QTest::mouseClick(Control(IDC_SHOW_PENDING), Qt::LeftButton);
    EXPECT_EQ(Column(0), (Texts{u"0000000002", u"0000000001", u"0000000002", u"0000000003",
                                u"0000000002", u"0000000005"}));
}

struct LiteralCase {
    const char* name;
    std::u16string line;
    std::vector<std::u16string> literals;
};

TEST(ExtractCjkLiterals, ChineseLiteralsOfOneLine) {
    const LiteralCase cases[] = {
        {"values", u"(1, '男', 'M')", {u"男"}},
        {"doubled apostrophe", u"'It''s 中文'", {u"s 中文"}},
        {"blanks kept", u"' 男 '", {u" 男 "}},
        {"empty", u"''", {}},
        {"open at the end", u"'男", {}},
        {"extension A only", u"'\u3400\u4DBF'", {}},
        {"above U+9FBB", u"'\u9FBC\u9FFF'", {}},
        {"full-width punctuation", u"'，。'", {}},
        {"lowest and highest", u"'\u4E00''\u9FBB'", {u"\u4E00", u"\u9FBB"}},
        {"one unit among Latin", u"'abc中def'", {u"abc中def"}},
        {"repeats", u"'男','男'", {u"男", u"男"}},
    };
    for (const LiteralCase& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ExtractCjkLiterals(c.line), c.literals);
    }
}

}  // namespace
