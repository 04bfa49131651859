#include "platform/mfc/list_ctrl.h"

#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QTableView>
#include <QTest>
#include <string>

#include "platform/mfc/widget_access.h"
#include "tests/platform/mfc/test_dialog.h"

namespace {

constexpr UINT kSelectedFocused = LVIS_SELECTED | LVIS_FOCUSED;

class ListCtrlTest : public testing::Test {
  protected:
    void SetUp() override {
        AfxSetResourceHandle(TestResources());
        ASSERT_TRUE(dialog.Create());
        list.InsertColumn(0, u"标志", LVCFMT_LEFT, 100);
        list.InsertColumn(1, u"翻译前", LVCFMT_LEFT, 120);
        list.InsertColumn(2, u"翻译后", LVCFMT_LEFT, 120);
    }

    void AddRows(int count) {
        for (int row = 0; row < count; ++row) {
            ASSERT_EQ(list.InsertItem(row, u""), row);
            ASSERT_TRUE(list.SetItemData(row, static_cast<DWORD_PTR>(100 + row)));
            const std::u16string n(1, static_cast<char16_t>(u'a' + row % 26));
            list.SetItemText(row, 0, (u"key" + n).c_str());
            list.SetItemText(row, 1, (u"text " + n + u"\n").c_str());
        }
    }

    QTableView* View() { return static_cast<QTableView*>(WidgetOfControl(dialog.m_hWnd, kList)); }
    void ClickRow(int row, Qt::KeyboardModifiers modifiers = {}) {
        const QRect cell = View()->visualRect(View()->model()->index(row, 1));
        QTest::mouseClick(View()->viewport(), Qt::LeftButton, modifiers, cell.center());
    }

    TestDialog dialog;
    CListCtrl& list = dialog.list;
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

    const std::u16string longText(1000, u'长');
    list.SetItemText(0, 2, longText.c_str());
    EXPECT_EQ(list.GetItemText(0, 2), longText);

    EXPECT_TRUE(list.DeleteAllItems());
    EXPECT_EQ(list.GetItemCount(), 0);
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
    list.SetItemState(0, kSelectedFocused, kSelectedFocused);
    list.SetItemState(0, kSelectedFocused, kSelectedFocused);  // no change: no notification
    // The focus moves: the old row loses it first.
    list.SetItemState(2, kSelectedFocused, kSelectedFocused);
    const std::vector<Notification> want{
        {0, 0, kSelectedFocused, 100},
        {0, kSelectedFocused, LVIS_SELECTED, 100},
        {2, 0, kSelectedFocused, 102},
    };
    EXPECT_EQ(dialog.notifications, want);
    EXPECT_EQ(list.GetItemState(0, kSelectedFocused), LVIS_SELECTED);
    EXPECT_TRUE(View()->selectionModel()->isRowSelected(0, {}));
    EXPECT_EQ(View()->currentIndex().row(), 2);

    // Every row at once: one notification for row -1.
    dialog.notifications.clear();
    list.SetItemState(-1, 0, LVIS_SELECTED);
    EXPECT_EQ(dialog.notifications, (std::vector<Notification>{{-1, 0, 0, 0}}));
    EXPECT_FALSE(View()->selectionModel()->hasSelection());

    EXPECT_EQ(list.SetSelectionMark(2), -1);
    EXPECT_EQ(list.GetSelectionMark(), 2);
    EXPECT_TRUE(list.EnsureVisible(2, FALSE));
    EXPECT_FALSE(list.EnsureVisible(7, FALSE));
}

TEST_F(ListCtrlTest, UserSelectionTellsTheOldRowsDeselectionFirst) {
    AddRows(4);
    ClickRow(1);
    ASSERT_EQ(dialog.notifications, (std::vector<Notification>{{1, 0, kSelectedFocused, 101}}));

    dialog.notifications.clear();
    ClickRow(3);
    EXPECT_EQ(dialog.notifications, (std::vector<Notification>{
                                        {1, kSelectedFocused, 0, 101},
                                        {3, 0, kSelectedFocused, 103},
                                    }));

    // Ctrl+click adds a row: the old one keeps its selection and loses the focus first.
    dialog.notifications.clear();
    ClickRow(0, Qt::ControlModifier);
    EXPECT_EQ(dialog.notifications, (std::vector<Notification>{
                                        {3, kSelectedFocused, LVIS_SELECTED, 103},
                                        {0, 0, kSelectedFocused, 100},
                                    }));
    EXPECT_EQ(list.GetItemState(3, LVIS_SELECTED), LVIS_SELECTED);
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
    EXPECT_EQ(View()->model()->rowCount(), kRows);
    EXPECT_EQ(list.GetItemText(kRows - 1, 0), u"0000009");
    list.SetItemState(kRows - 1, kSelectedFocused, kSelectedFocused);
    EXPECT_TRUE(list.EnsureVisible(kRows - 1, FALSE));
    EXPECT_EQ(dialog.notifications.size(), 1u);
}

}  // namespace
