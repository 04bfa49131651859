// What a user meets in the standard controls: where an edit's caret and text stand after
// a text set by code, the edits' context menu, and where the drop-down list opens.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <cstdlib>
#include <memory>

#include "platform/mfc/detail/edit_menu.h"
#include "tests/platform/mfc/test_dialog.h"
#include "tests/support/widget_access.h"

namespace {

// Where the caret stands in the edit, as last drawn.
int CaretLeft(const QLineEdit& line) {
    return line.inputMethodQuery(Qt::ImCursorRectangle).toRect().left();
}

class ControlsTest : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetResourceHandle(TestResources());
        ASSERT_TRUE(dialog.Create());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(WidgetOfWindow(dialog.m_hWnd)));
    }

    QWidget* Widget(int id) { return WidgetOfControl(dialog.m_hWnd, id); }
    void SetText(int id, const std::u16string& text) {
        dialog.GetDlgItem(id)->SetWindowText(text.c_str());
    }

    TestDialog dialog;
};

TEST_F(ControlsTest, ALineEditShowsTheStartOfATextSetByCode) {
    auto* line = static_cast<QLineEdit*>(Widget(kLineEdit));
    const std::u16string longText = u"0123456789 records Found in " + std::u16string(80, u'长');
    // Once typed to its end and drawn scrolled there, then set by code.
    line->setFocus();
    QTest::keyClicks(line, QString(200, u'x'));
    line->grab();
    ASSERT_GT(CaretLeft(*line), line->width() / 2) << "scrolled to the typed end";

    SetText(kLineEdit, longText);
    line->grab();  // the edit scrolls as it draws
    EXPECT_EQ(line->cursorPosition(), 0);
    EXPECT_FALSE(line->hasSelectedText());
    EXPECT_LT(std::abs(CaretLeft(*line)), line->fontMetrics().averageCharWidth())
        << "the first character is not clipped";
    EXPECT_FALSE(line->isUndoAvailable()) << "a text set by code cannot be undone";
}

TEST_F(ControlsTest, AMultiLineEditShowsTheStartOfATextSetByCode) {
    auto* multi = static_cast<QPlainTextEdit*>(Widget(kMultiEdit));
    std::u16string lines;
    for (int i = 0; i < 40; ++i) {
        lines += u"第";
        lines += static_cast<char16_t>(u'0' + i % 10);
        lines += u"行\r\n";
    }
    multi->moveCursor(QTextCursor::End);
    SetText(kMultiEdit, lines);
    multi->grab();
    EXPECT_EQ(multi->textCursor().position(), 0);
    EXPECT_EQ(multi->verticalScrollBar()->value(), 0);
}

struct MenuEntry {
    QString text;
    bool enabled;
    bool operator==(const MenuEntry&) const = default;
};

void PrintTo(const MenuEntry& entry, std::ostream* out) {
    *out << entry.text.toStdString() << (entry.enabled ? " on" : " off");
}

// The entries of the edit's context menu, separators as "-".
std::vector<MenuEntry> MenuOf(QWidget* edit) {
    const std::unique_ptr<QMenu> menu = mfc_detail::MakeEditMenu(edit);
    std::vector<MenuEntry> entries;
    for (const QAction* action : menu->actions()) {
        entries.push_back({action->isSeparator() ? QStringLiteral("-") : action->text(),
                           action->isSeparator() || action->isEnabled()});
    }
    return entries;
}

std::vector<MenuEntry> Menu(bool undo, bool cut, bool copy, bool paste, bool erase, bool all) {
    return {{"撤消(&U)", undo},  {"-", true},         {"剪切(&T)", cut}, {"复制(&C)", copy},
            {"粘贴(&P)", paste}, {"删除(&D)", erase}, {"-", true},       {"全选(&A)", all}};
}

TEST_F(ControlsTest, EditsHaveTheContextMenuOfAWindowsEdit) {
    auto* line = static_cast<QLineEdit*>(Widget(kLineEdit));
    auto* multi = static_cast<QPlainTextEdit*>(Widget(kMultiEdit));
    auto* readOnly = static_cast<QPlainTextEdit*>(Widget(kReadOnlyEdit));
    QGuiApplication::clipboard()->setText(QStringLiteral("剪贴板"));

    SetText(kLineEdit, u"");
    EXPECT_EQ(MenuOf(line), Menu(false, false, false, true, false, false)) << "empty";
    SetText(kLineEdit, u"源文字");
    EXPECT_EQ(MenuOf(line), Menu(false, false, false, true, false, true)) << "set by code";
    line->setFocus();
    QTest::keyClick(line, Qt::Key_End);
    QTest::keyClicks(line, "ab");
    line->setSelection(0, 2);
    EXPECT_EQ(MenuOf(line), Menu(true, true, true, true, true, true)) << "typed, part selected";
    line->selectAll();
    EXPECT_EQ(MenuOf(line), Menu(true, true, true, true, true, false)) << "all selected";

    QGuiApplication::clipboard()->clear();
    SetText(kMultiEdit, u"一\r\n二");
    multi->selectAll();
    EXPECT_EQ(MenuOf(multi), Menu(false, true, true, false, true, false)) << "nothing to paste";

    SetText(kReadOnlyEdit, u"只读");
    readOnly->selectAll();
    EXPECT_EQ(MenuOf(readOnly), Menu(false, false, true, false, false, false)) << "read-only";
}

TEST_F(ControlsTest, TheEditMenuActsOnTheEditAndTellsTheChange) {
    auto* line = static_cast<QLineEdit*>(Widget(kLineEdit));
    SetText(kLineEdit, u"前后");
    dialog.events.clear();
    line->setSelection(0, 1);
    const auto trigger = [&](int index) {
        const std::unique_ptr<QMenu> menu = mfc_detail::MakeEditMenu(line);
        menu->actions().at(index)->trigger();
    };
    trigger(5);  // 删除
    EXPECT_EQ(line->text(), QString("后"));
    EXPECT_EQ(dialog.events, std::vector<std::string>{"change"});
    trigger(0);  // 撤消
    EXPECT_EQ(line->text(), QString("前后"));
    trigger(7);  // 全选
    EXPECT_EQ(line->selectedText(), QString("前后"));
}

TEST_F(ControlsTest, TheDropDownListOpensBelowItsField) {
    auto* combo = static_cast<QComboBox*>(Widget(kCombo));
    for (const char16_t* text : {u"简体中文", u"繁體中文", u"English"}) {
        dialog.GetDlgItem(kCombo)->SendMessage(CB_INSERTSTRING, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(text));
    }
    dialog.GetDlgItem(kCombo)->SendMessage(CB_SETCURSEL, 2);
    combo->showPopup();
    QWidget* popup = combo->view()->window();
    ASSERT_TRUE(popup->isVisible());
    const QPoint field = combo->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(popup->geometry().top(), field.y() + combo->height());
    EXPECT_EQ(popup->geometry().left(), field.x());
    EXPECT_GE(popup->width(), combo->width());
    combo->hidePopup();
}

}  // namespace
