#include "platform/mfc/list_ctrl.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <string>

#include "platform/mfc/detail/list_table_view.h"
#include "tests/platform/mfc/test_dialog.h"
#include "tests/support/widget_access.h"

namespace {

constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;
using Notifications = std::vector<Notification>;
using Rows = std::vector<int>;

class ListCtrlTest : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetResourceHandle(TestResources());
        ASSERT_TRUE(dialog.Create());
        list.InsertColumn(0, u"标志", LVCFMT_LEFT, 100);
        list.InsertColumn(1, u"翻译前", LVCFMT_LEFT, 120);
        list.InsertColumn(2, u"翻译后", LVCFMT_LEFT, 120);
        WidgetOfWindow(dialog.m_hWnd)->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(WidgetOfWindow(dialog.m_hWnd)));
        mfc_detail::SetTypeAheadClock([this] { return now; });
    }
    void TearDown() override { mfc_detail::SetTypeAheadClock({}); }

    // Rows "keya", "keyb", ... with the texts "text a\n", ... and the values 100, 101, ...
    void AddRows(int count) {
        for (int row = 0; row < count; ++row) {
            ASSERT_EQ(list.InsertItem(row, u""), row);
            ASSERT_TRUE(list.SetItemData(row, static_cast<DWORD_PTR>(100 + row)));
            const std::u16string n(1, static_cast<char16_t>(u'a' + row % 26));
            list.SetItemText(row, 0, (u"key" + n).c_str());
            list.SetItemText(row, 1, (u"text " + n + u"\n").c_str());
        }
        Show();
    }

    // The view catches up with the rows, as it does before the user sees them.
    static void Show() { QApplication::processEvents(); }

    QTableView* View() { return static_cast<QTableView*>(WidgetOfControl(dialog.m_hWnd, kList)); }
    QRect Cell(int row, int column) {
        return View()->visualRect(View()->model()->index(row, column));
    }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        QTest::mouseClick(View()->viewport(), Qt::LeftButton, modifiers, Cell(row, 1).center());
    }
    // The events of a double click as Qt delivers them: the second press comes as the
    // double click.
    void DoubleClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        const QPoint at = Cell(row, 1).center();
        QTest::mousePress(View()->viewport(), Qt::LeftButton, modifiers, at);
        QTest::mouseRelease(View()->viewport(), Qt::LeftButton, modifiers, at);
        QTest::mouseDClick(View()->viewport(), Qt::LeftButton, modifiers, at);
        QTest::mouseRelease(View()->viewport(), Qt::LeftButton, modifiers, at);
    }
    // Gives the list the focus the way a user does, through the previous control.
    void TabIntoList() {
        WidgetOfControl(dialog.m_hWnd, kCombo)->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), View());
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(View(), key, modifiers);
    }

    Rows Selected() {
        Rows rows;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.GetItemState(row, LVIS_SELECTED) != 0) {
                rows.push_back(row);
            }
        }
        return rows;
    }
    int Focused() {
        for (int row = 0; row < list.GetItemCount(); ++row) {
            if (list.GetItemState(row, LVIS_FOCUSED) != 0) {
                return row;
            }
        }
        return -1;
    }

    TestDialog dialog;
    CListCtrl& list = dialog.list;
    long long now = 0;  // what type-ahead's clock reads, in milliseconds
};

TEST_F(ListCtrlTest, RowsHoldTextsAndValues) {
    AddRows(3);
    EXPECT_EQ(list.GetItemCount(), 3);
    EXPECT_EQ(list.GetItemText(1, 0), u"keyb");
    EXPECT_EQ(list.GetItemText(1, 1), u"text b\n");
    EXPECT_EQ(list.GetItemText(1, 2), u"");
    EXPECT_EQ(list.GetItemData(2), 102u);
    EXPECT_EQ(list.GetItemData(3), 0u);  // no such row
    EXPECT_FALSE(list.SetItemText(5, 0, u"x"));
    EXPECT_FALSE(list.SetItemText(0, 3, u"x"));  // no such column

    // The view shows them, one line per row.
    const QAbstractItemModel* model = View()->model();
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->headerData(1, Qt::Horizontal).toString(), QString("翻译前"));
    EXPECT_EQ(model->index(1, 1).data().toString(), QString("text b "));
    EXPECT_EQ(list.GetColumnWidth(1), 120);

    // Texts replaced by longer and shorter ones, many times over.
    const std::u16string longText(1000, u'长');
    for (int round = 0; round < 200; ++round) {
        list.SetItemText(0, 2, longText.c_str());
        list.SetItemText(2, 2, u"短");
    }
    EXPECT_EQ(list.GetItemText(0, 2), longText);
    EXPECT_EQ(list.GetItemText(2, 2), u"短");
    EXPECT_EQ(list.GetItemText(1, 1), u"text b\n");
    EXPECT_EQ(model->index(2, 2).data().toString(), QString("短"));

    // A row inserted in the middle moves the ones after it.
    ASSERT_EQ(list.InsertItem(1, u"new"), 1);
    Show();
    EXPECT_EQ(list.GetItemText(1, 0), u"new");
    EXPECT_EQ(list.GetItemText(2, 0), u"keyb");
    EXPECT_EQ(list.GetItemData(3), 102u);
    EXPECT_EQ(model->rowCount(), 4);

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
    Show();
    EXPECT_EQ(model->rowCount(), 0);
    EXPECT_TRUE(dialog.notifications.empty());
}

TEST_F(ListCtrlTest, ExtendedStyleIsReplacedWhole) {
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_GRIDLINES), 0u);
    EXPECT_TRUE(View()->showGrid());
    EXPECT_EQ(list.SetExtendedStyle(LVS_EX_FULLROWSELECT), LVS_EX_GRIDLINES);
    EXPECT_EQ(list.GetExtendedStyle(), LVS_EX_FULLROWSELECT);
    EXPECT_FALSE(View()->showGrid());
}

TEST_F(ListCtrlTest, StateSetByCodeIsNotifiedOncePerChange) {
    AddRows(3);
    list.SetItemState(0, kBoth, kBoth);
    list.SetItemState(0, kBoth, kBoth);  // no change: no notification
    // The focus moves: the old row loses it first.
    list.SetItemState(2, kBoth, kBoth);
    const Notifications want{
        {0, 0, kBoth, 100},
        {0, kBoth, LVIS_SELECTED, 100},
        {2, 0, kBoth, 102},
    };
    EXPECT_EQ(dialog.notifications, want);
    EXPECT_EQ(Selected(), (Rows{0, 2}));
    EXPECT_EQ(Focused(), 2);

    // Every row at once: one notification for row -1.
    dialog.notifications.clear();
    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(dialog.notifications, (Notifications{{-1, 0, 0, 0}}));
    EXPECT_EQ(Selected(), Rows{});

    EXPECT_EQ(list.SetSelectionMark(2), -1);
    EXPECT_EQ(list.GetSelectionMark(), 2);
    EXPECT_TRUE(list.EnsureVisible(2, FALSE));
    EXPECT_FALSE(list.EnsureVisible(7, FALSE));

    // Deleting the rows tells nothing and forgets the focus and the mark.
    dialog.notifications.clear();
    list.DeleteAllItems();
    EXPECT_TRUE(dialog.notifications.empty());
    EXPECT_EQ(list.GetSelectionMark(), -1);
    AddRows(3);
    EXPECT_EQ(Focused(), -1);
}

TEST_F(ListCtrlTest, FocusEnteringTheListChangesNoRow) {
    AddRows(4);
    TabIntoList();
    EXPECT_TRUE(dialog.notifications.empty());
    EXPECT_EQ(Focused(), -1);
    // Out and back in with Shift+Tab.
    QTest::keyClick(View(), Qt::Key_Tab);
    ASSERT_NE(QApplication::focusWidget(), View());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    ASSERT_EQ(QApplication::focusWidget(), View());
    EXPECT_TRUE(dialog.notifications.empty());
    EXPECT_EQ(Selected(), Rows{});

    // With nothing focused, Down selects the first row, not the second.
    Key(Qt::Key_Down);
    EXPECT_EQ(dialog.notifications, (Notifications{{0, 0, kBoth, 100}}));
    EXPECT_EQ(list.GetSelectionMark(), 0);
}

TEST_F(ListCtrlTest, NavigationKeysSelectTheRowTheyName) {
    struct Case {
        const char* name;
        int start;  // the row clicked first; -1: none
        std::vector<std::pair<Qt::Key, Qt::KeyboardModifiers>> keys;
        Rows selected;
        int focused;
        int mark;
    };
    const Qt::KeyboardModifiers none;
    const Case cases[] = {
        {"Up with nothing focused", -1, {{Qt::Key_Up, none}}, {0}, 0, 0},
        {"End with nothing focused", -1, {{Qt::Key_End, none}}, {19}, 19, 19},
        {"Home", 5, {{Qt::Key_Home, none}}, {0}, 0, 0},
        {"End", 5, {{Qt::Key_End, none}}, {19}, 19, 19},
        {"Down, Down, Up",
         5,
         {{Qt::Key_Down, none}, {Qt::Key_Down, none}, {Qt::Key_Up, none}},
         {6},
         6,
         6},
        {"Up at the top stays", 0, {{Qt::Key_Up, none}}, {0}, 0, 0},
        {"Down at the bottom stays", 19, {{Qt::Key_Down, none}}, {19}, 19, 19},
        {"Shift+Down twice",
         5,
         {{Qt::Key_Down, Qt::ShiftModifier}, {Qt::Key_Down, Qt::ShiftModifier}},
         {5, 6, 7},
         7,
         5},
        {"Shift+End", 17, {{Qt::Key_End, Qt::ShiftModifier}}, {17, 18, 19}, 19, 17},
        {"Shift+Up past the mark",
         5,
         {{Qt::Key_Down, Qt::ShiftModifier},
          {Qt::Key_Up, Qt::ShiftModifier},
          {Qt::Key_Up, Qt::ShiftModifier}},
         {4, 5},
         4,
         5},
        {"Ctrl+Down moves the focus only", 5, {{Qt::Key_Down, Qt::ControlModifier}}, {5}, 6, 5},
        {"Ctrl+End moves the focus only", 5, {{Qt::Key_End, Qt::ControlModifier}}, {5}, 19, 5},
        {"Space selects the focused row",
         5,
         {{Qt::Key_Down, Qt::ControlModifier}, {Qt::Key_Space, none}},
         {6},
         6,
         6},
        {"Ctrl+Space adds the focused row",
         5,
         {{Qt::Key_Down, Qt::ControlModifier},
          {Qt::Key_Down, Qt::ControlModifier},
          {Qt::Key_Space, Qt::ControlModifier}},
         {5, 7},
         7,
         7},
        {"Ctrl+Space twice takes it away again",
         5,
         {{Qt::Key_Space, Qt::ControlModifier}, {Qt::Key_Space, Qt::ControlModifier}},
         {5},
         5,
         5},
        {"Ctrl+A selects nothing more", 5, {{Qt::Key_A, Qt::ControlModifier}}, {5}, 5, 5},
        {"Left and Right keep the row",
         5,
         {{Qt::Key_Right, none}, {Qt::Key_Left, none}},
         {5},
         5,
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        list.DeleteAllItems();
        AddRows(20);
        TabIntoList();
        if (c.start >= 0) {
            ClickRow(c.start);
        }
        for (const auto& [key, modifiers] : c.keys) {
            Key(key, modifiers);
        }
        EXPECT_EQ(Selected(), c.selected);
        EXPECT_EQ(Focused(), c.focused);
        EXPECT_EQ(list.GetSelectionMark(), c.mark);
    }
}

TEST_F(ListCtrlTest, PageKeysGoToTheEdgeOfThePageThenAPageOn) {
    AddRows(40);
    TabIntoList();
    ClickRow(0);
    const int page = View()->viewport()->height() / View()->verticalHeader()->defaultSectionSize();
    ASSERT_GT(page, 2);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Focused(), page - 1) << "the last row wholly shown";
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Focused(), 2 * (page - 1));
    EXPECT_EQ(Selected(), Rows{2 * (page - 1)});
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Focused(), View()->rowAt(0)) << "the top row shown";
    Key(Qt::Key_End);
    Key(Qt::Key_PageDown);
    EXPECT_EQ(Focused(), 39);
    EXPECT_TRUE(View()->viewport()->rect().contains(Cell(39, 0))) << "scrolled into view";
}

// A report view scrolls by whole rows: the top row is never cut, whatever the height.
TEST_F(ListCtrlTest, TheViewScrollsByWholeRows) {
    AddRows(40);
    const int rowHeight = View()->verticalHeader()->defaultSectionSize();
    const int frame = View()->height() - View()->viewport()->height();
    View()->resize(View()->width(), frame + 7 * rowHeight + rowHeight / 2);
    Show();
    ASSERT_NE(View()->viewport()->height() % rowHeight, 0);
    TabIntoList();
    ClickRow(0);
    const auto topRowIsWhole = [&] { return View()->rowViewportPosition(View()->rowAt(0)) == 0; };

    Key(Qt::Key_End);
    EXPECT_TRUE(topRowIsWhole());
    EXPECT_LE(View()->rowViewportPosition(39) + rowHeight, View()->viewport()->height())
        << "the last row whole";
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Focused(), View()->rowAt(0));
    EXPECT_EQ(View()->rowViewportPosition(Focused()), 0) << "on a whole row";
    Key(Qt::Key_PageUp);
    EXPECT_TRUE(topRowIsWhole());
    EXPECT_EQ(View()->rowViewportPosition(Focused()), 0);
    View()->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_TRUE(topRowIsWhole());
}

TEST_F(ListCtrlTest, ShiftExtendsFromTheSelectionMarkThatCodeSets) {
    AddRows(10);
    TabIntoList();
    ClickRow(6);
    // The mark moves, as confirming moves it, while the focus stays on row 6.
    list.SetSelectionMark(2);
    dialog.notifications.clear();
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), (Rows{2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(Focused(), 7);
    const Notifications want{
        {6, kBoth, LVIS_SELECTED, 106}, {2, 0, LVIS_SELECTED, 102}, {3, 0, LVIS_SELECTED, 103},
        {4, 0, LVIS_SELECTED, 104},     {5, 0, LVIS_SELECTED, 105}, {7, 0, kBoth, 107},
    };
    EXPECT_EQ(dialog.notifications, want);

    // Shift+click goes from the same mark; the rows losing their selection come first.
    dialog.notifications.clear();
    ClickRow(0, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), (Rows{0, 1, 2}));
    EXPECT_EQ(list.GetSelectionMark(), 2);
    const Notifications clicked{
        {3, LVIS_SELECTED, 0, 103}, {4, LVIS_SELECTED, 0, 104}, {5, LVIS_SELECTED, 0, 105},
        {6, LVIS_SELECTED, 0, 106}, {7, kBoth, 0, 107},         {1, 0, LVIS_SELECTED, 101},
        {0, 0, kBoth, 100},
    };
    EXPECT_EQ(dialog.notifications, clicked);
}

TEST_F(ListCtrlTest, TypingFindsARowByItsFirstColumn) {
    AddRows(6);
    list.SetItemText(4, 0, u"Keye");
    list.SetItemText(2, 1, u"keyc in the second column");
    TabIntoList();
    QTest::keyClicks(View(), "KEYE");
    EXPECT_EQ(Selected(), Rows{4}) << "regardless of case";
    now += 1001;
    QTest::keyClicks(View(), "t");  // only the second column begins with t
    EXPECT_EQ(Selected(), Rows{4});
    now += 1001;
    QTest::keyClicks(View(), "kk");  // the same letter again: the next row beginning with it
    EXPECT_EQ(Selected(), Rows{0});
    EXPECT_EQ(Focused(), 0);
}

// A Windows list view joins the characters typed within a second into one prefix.
TEST_F(ListCtrlTest, TypedCharactersJoinWithinASecond) {
    AddRows(5);
    const char16_t* keys[] = {u"1000", u"2000", u"1500", u"2100", u"1200"};
    for (int row = 0; row < 5; ++row) {
        list.SetItemText(row, 0, keys[row]);
    }
    TabIntoList();
    QTest::keyClicks(View(), "2");
    EXPECT_EQ(Selected(), Rows{1});
    dialog.notifications.clear();
    now += 700;
    QTest::keyClicks(View(), "1");
    EXPECT_EQ(Selected(), Rows{3}) << "the first row beginning with 21";
    EXPECT_EQ(dialog.notifications, (Notifications{{1, kBoth, 0, 101}, {3, 0, kBoth, 103}}));
    now += 1001;
    QTest::keyClicks(View(), "1");
    EXPECT_EQ(Selected(), Rows{4}) << "after a pause, the next row beginning with 1";
}

// The press of a double click selects; the double click itself changes nothing.
TEST_F(ListCtrlTest, ACtrlDoubleClickTogglesARowOnce) {
    AddRows(6);
    ClickRow(1);
    dialog.notifications.clear();
    DoubleClickRow(4, Qt::ControlModifier);
    EXPECT_EQ(dialog.notifications,
              (Notifications{{1, kBoth, LVIS_SELECTED, 101}, {4, 0, kBoth, 104}}));
    EXPECT_EQ(Selected(), (Rows{1, 4}));
    EXPECT_EQ(Focused(), 4);

    dialog.notifications.clear();
    DoubleClickRow(2);
    EXPECT_EQ(Selected(), Rows{2});
    EXPECT_EQ(dialog.notifications.size(), 3u) << "rows 1 and 4 lose, row 2 gains";
}

TEST_F(ListCtrlTest, AClickSelectsOnTheButtonsPressAndTellsTheLossFirst) {
    AddRows(4);
    QTest::mousePress(View()->viewport(), Qt::LeftButton, {}, Cell(1, 2).center());
    ASSERT_EQ(dialog.notifications, (Notifications{{1, 0, kBoth, 101}}));
    QTest::mouseRelease(View()->viewport(), Qt::LeftButton, {}, Cell(1, 2).center());
    EXPECT_EQ(dialog.notifications.size(), 1u);
    EXPECT_EQ(list.GetSelectionMark(), 1);

    // A click on an unselected row.
    dialog.notifications.clear();
    ClickRow(3);
    EXPECT_EQ(dialog.notifications, (Notifications{{1, kBoth, 0, 101}, {3, 0, kBoth, 103}}));

    // Ctrl+click adds a row: the old one keeps its selection and loses the focus first.
    dialog.notifications.clear();
    ClickRow(0, Qt::ControlModifier);
    EXPECT_EQ(dialog.notifications,
              (Notifications{{3, kBoth, LVIS_SELECTED, 103}, {0, 0, kBoth, 100}}));
    EXPECT_EQ(Selected(), (Rows{0, 3}));
    EXPECT_EQ(list.GetSelectionMark(), 0);

    // A click on a selected row leaves it alone selected; nothing changes for itself.
    dialog.notifications.clear();
    ClickRow(0);
    EXPECT_EQ(dialog.notifications, (Notifications{{3, LVIS_SELECTED, 0, 103}}));

    // A click below the rows clears the selection; the focus stays.
    dialog.notifications.clear();
    QTest::mouseClick(View()->viewport(), Qt::LeftButton, {},
                      QPoint(Cell(0, 1).center().x(), View()->viewport()->height() - 2));
    EXPECT_EQ(dialog.notifications, (Notifications{{0, kBoth, LVIS_FOCUSED, 100}}));
    EXPECT_EQ(Focused(), 0);
}

TEST_F(ListCtrlTest, SelectionAndFocusAreDrawnAcrossTheWholeRow) {
    AddRows(3);
    TabIntoList();
    ClickRow(1);
    const auto grab = [&] {
        Show();
        return View()->viewport()->grab().toImage();
    };
    const QColor highlight = View()->palette().color(QPalette::Active, QPalette::Highlight);
    const QColor base = View()->palette().color(QPalette::Active, QPalette::Base);
    // The columns, as far as the view shows them.
    const auto shown = [&](int column) { return Cell(1, column) & View()->viewport()->rect(); };
    QImage picture = grab();
    for (int column = 0; column < 3; ++column) {
        SCOPED_TRACE(column);
        const QRect cell = shown(column);
        ASSERT_GT(cell.width(), 20);
        // Right of the text, inside the cell: the selection's colour.
        EXPECT_EQ(picture.pixelColor(cell.right() - 4, cell.center().y()), highlight);
        EXPECT_EQ(picture.pixelColor(cell.right() - 4, Cell(0, column).center().y()), base);
        // The dotted focus rectangle runs along the row's top edge through every cell.
        int dots = 0;
        for (int x = cell.left() + 2; x < cell.right() - 2; ++x) {
            dots += picture.pixelColor(x, cell.top()) != highlight ? 1 : 0;
        }
        EXPECT_GT(dots, cell.width() / 4);
        EXPECT_LT(dots, cell.width());
    }
    // Without the focus the list shows no selection.
    WidgetOfControl(dialog.m_hWnd, kLineEdit)->setFocus();
    picture = grab();
    EXPECT_EQ(picture.pixelColor(shown(2).right() - 4, shown(2).center().y()), base);
    EXPECT_EQ(Selected(), Rows{1});
}

TEST_F(ListCtrlTest, HoldsAHundredThousandRows) {
    constexpr int kRows = 100000;
    LVITEMW item;
    item.mask = LVIF_TEXT;
    std::u16string empty;
    item.pszText = empty.data();
    for (int row = 0; row < kRows; ++row) {
        item.iItem = row;
        list.InsertItem(&item);
        const std::u16string key =
            u"000000" + std::u16string(1, static_cast<char16_t>(u'0' + row % 10));
        list.SetItemText(row, 0, key.c_str());
        list.SetItemText(row, 1, u"源文字");
        list.SetItemText(row, 2, u"translation");
    }
    EXPECT_EQ(list.GetItemCount(), kRows);
    Show();
    EXPECT_EQ(View()->model()->rowCount(), kRows);
    EXPECT_EQ(list.GetItemText(kRows - 1, 0), u"0000009");
    list.SetItemState(kRows - 1, kBoth, kBoth);
    EXPECT_TRUE(list.EnsureVisible(kRows - 1, FALSE));
    EXPECT_TRUE(View()->viewport()->rect().contains(Cell(kRows - 1, 0)));
    EXPECT_EQ(dialog.notifications.size(), 1u);

    // Refilled after deleting them all, the list starts at the top again.
    list.DeleteAllItems();
    for (int row = 0; row < kRows; ++row) {
        item.iItem = row;
        list.InsertItem(&item);
    }
    Show();
    EXPECT_EQ(View()->verticalScrollBar()->value(), 0);
    EXPECT_EQ(View()->rowAt(0), 0);
}

}  // namespace
