#include "platform/mfc/dialog.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include "tests/platform/mfc/test_dialog.h"
#include "tests/support/widget_access.h"

namespace {

int Round(int value, int base, int divisor) {
    return (value * base + divisor / 2) / divisor;
}

class DialogTest : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetResourceHandle(TestResources());
        ASSERT_TRUE(dialog.Create());
    }

    QWidget* Widget(int id) { return WidgetOfControl(dialog.m_hWnd, id); }
    std::u16string Text(int id) {
        CString text;
        dialog.GetDlgItem(id)->GetWindowText(text);
        return text.str();
    }

    TestDialog dialog;
};

TEST_F(DialogTest, ControlsStandAtTheirTemplateRectanglesInDialogUnits) {
    // "MS Shell Dlg" 9 pt is 宋体 on a Chinese Windows: base units of 6 by 12 pixels at
    // the offscreen screen's 96 dots per inch, whatever font shows the texts.
    ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInchY(), 96);
    const int bx = 6;
    const int by = 12;
    EXPECT_EQ(WidgetOfWindow(dialog.m_hWnd)->size(), QSize(300, 263));  // 200 by 175 units
    EXPECT_EQ(Widget(kMultiEdit)->geometry(),
              QRect(Round(5, bx, 4), Round(5, by, 8), Round(100, bx, 4), Round(30, by, 8)));
    EXPECT_EQ(Widget(kList)->geometry(),
              QRect(Round(5, bx, 4), Round(80, by, 8), Round(190, bx, 4), Round(90, by, 8)));
    // A combo box's template height includes its drop-down list.
    EXPECT_EQ(Widget(kCombo)->x(), Round(70, bx, 4));
    EXPECT_LT(Widget(kCombo)->height(), Round(40, by, 8));

    RECT units{5, 80, 195, 170};
    dialog.MapDialogRect(&units);
    EXPECT_EQ(units.right, Round(195, bx, 4));
    EXPECT_EQ(units.bottom, Round(170, by, 8));
}

TEST_F(DialogTest, DialogFontIsAChineseFaceSizedToTheBaseUnits) {
    const QFont font = WidgetOfWindow(dialog.m_hWnd)->font();
    EXPECT_EQ(font.pixelSize(), 10);  // 5/6 of 9 points at 96 dots per inch
    EXPECT_TRUE(QFontInfo(font).family().contains("CJK")) << QFontInfo(font).family().toStdString();
    EXPECT_EQ(Widget(kMultiEdit)->font(), font);
}

TEST_F(DialogTest, TemplateSetsTextsVisibilityDefaultButtonAndTabOrder) {
    EXPECT_EQ(Text(IDOK), u"确定");
    EXPECT_EQ(dialog.GetWindowTextLength(), 2);
    EXPECT_TRUE(static_cast<QPushButton*>(Widget(IDOK))->isDefault());
    EXPECT_FALSE(static_cast<QPushButton*>(Widget(IDCANCEL))->isDefault());
    EXPECT_FALSE(Widget(kHidden)->isVisible());
    EXPECT_TRUE(Widget(IDCANCEL)->isVisible());
    EXPECT_EQ(dialog.GetDlgItem(999), nullptr);

    EXPECT_EQ(Widget(IDOK)->nextInFocusChain(), Widget(IDCANCEL));
    EXPECT_EQ(Widget(IDCANCEL)->nextInFocusChain(), Widget(kMultiEdit));
    // The first tab stop has the focus after OnInitDialog.
    WidgetOfWindow(dialog.m_hWnd)->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(WidgetOfWindow(dialog.m_hWnd)));
    EXPECT_EQ(QApplication::focusWidget(), Widget(IDOK));
}

TEST_F(DialogTest, EnterInAMultiLineEditWithoutWantReturnReachesTheDefaultButton) {
    Widget(kMultiEdit)->setFocus();
    QTest::keyClicks(Widget(kMultiEdit), "ab");
    QTest::keyClick(Widget(kMultiEdit), Qt::Key_Return);
    EXPECT_EQ(dialog.events.back(), "ok");
    EXPECT_EQ(Text(kMultiEdit), u"ab");

    // Ctrl+Enter breaks the line; the text holds CR LF.
    QTest::keyClick(Widget(kMultiEdit), Qt::Key_Return, Qt::ControlModifier);
    QTest::keyClicks(Widget(kMultiEdit), "c");
    EXPECT_EQ(Text(kMultiEdit), u"ab\r\nc");
}

TEST_F(DialogTest, EscAndEnterOnAFocusedButtonSendTheirCommands) {
    QTest::keyClick(Widget(kLineEdit), Qt::Key_Escape);
    EXPECT_EQ(dialog.events, std::vector<std::string>{"cancel"});
    WidgetOfWindow(dialog.m_hWnd)->show();  // a modeless dialog is only hidden by IDCANCEL
    QTest::keyClick(Widget(IDCANCEL), Qt::Key_Return);
    EXPECT_EQ(dialog.events.back(), "cancel");
    WidgetOfWindow(dialog.m_hWnd)->show();
    QTest::keyClick(Widget(kLineEdit), Qt::Key_Return);
    EXPECT_EQ(dialog.events.back(), "ok");
}

TEST_F(DialogTest, EditChangeNotifications) {
    QTest::keyClicks(Widget(kLineEdit), "xy");
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"change", "change"}));
    // A single-line edit also tells of a text set by code; a multi-line one does not.
    dialog.GetDlgItem(kLineEdit)->SetWindowText(u"新");
    EXPECT_EQ(dialog.events.size(), 3u);
    dialog.GetDlgItem(kMultiEdit)->SetWindowText(u"新");
    EXPECT_EQ(dialog.events.size(), 3u);
    QTest::keyClicks(Widget(kMultiEdit), "z");
    EXPECT_EQ(dialog.events.back(), "multi change");
}

TEST_F(DialogTest, MultiLineTextsReadBackAsTheyWereSet) {
    struct Case {
        const char* name;
        std::u16string text;
    };
    const Case cases[] = {
        {"trailing LF", u"abc\n"},
        {"CR LF", u"第一行\r\n第二行"},
        {"LF and CR LF", u"a\nb\r\nc\n"},
        {"no break with a no-break space", u"a\u00A0b"},
        {"empty", u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialog.GetDlgItem(kReadOnlyEdit)->SetWindowText(c.text.c_str());
        EXPECT_EQ(Text(kReadOnlyEdit), c.text);
    }
}

TEST_F(DialogTest, CheckBoxClicksAndDataExchange) {
    QTest::mouseClick(Widget(kCheck), Qt::LeftButton);
    EXPECT_EQ(dialog.events, std::vector<std::string>{"check"});
    EXPECT_EQ(dialog.GetDlgItem(kCheck)->SendMessage(BM_GETCHECK), BST_CHECKED);
    dialog.UpdateData(TRUE);
    EXPECT_EQ(dialog.checked, 1);

    dialog.checked = 0;
    dialog.UpdateData(FALSE);
    EXPECT_FALSE(static_cast<QCheckBox*>(Widget(kCheck))->isChecked());
    EXPECT_EQ(dialog.events.size(), 1u);  // set by code: no click
    // The data exchange bound the list control once.
    EXPECT_EQ(dialog.GetDlgItem(kList), &dialog.list);
}

TEST(DialogModal, EscAndTheCloseBoxEndTheLoopWithIdCancel) {
    AfxSetResourceHandle(TestResources());
    struct Case {
        const char* name;
        void (*act)(QWidget* dialog);
    };
    const Case cases[] = {
        {"Esc", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {"close box", [](QWidget* w) { w->close(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TestDialog dialog;
        QTimer::singleShot(0, [&] { c.act(WidgetOfWindow(dialog.m_hWnd)); });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
        EXPECT_EQ(dialog.events, std::vector<std::string>{"cancel"});
        EXPECT_EQ(dialog.m_hWnd, nullptr);
        EXPECT_EQ(dialog.list.m_hWnd, nullptr);
    }
}

TEST(DialogModal, WithoutItsOwnRowIdOkEndsTheLoopThroughTheBaseMap) {
    AfxSetResourceHandle(TestResources());
    CDialog dialog(kTestDialogId);
    QTimer::singleShot(
        0, [&] { QTest::mouseClick(WidgetOfControl(dialog.m_hWnd, IDOK), Qt::LeftButton); });
    EXPECT_EQ(dialog.DoModal(), IDOK);
}

TEST(DialogModal, AMissingTemplateGivesMinusOne) {
    AfxSetResourceHandle(TestResources());
    CDialog dialog(4711);
    EXPECT_EQ(dialog.DoModal(), -1);
    EXPECT_FALSE(dialog.Create());
}

}  // namespace
