// The report-view list control: the list-view messages on rows kept as a Windows list
// view keeps them (ListRows), shown by a ListTableView, so a list of 100,000 rows costs
// no widget per row.
//
// A row's state changes, by code (LVM_SETITEMSTATE, LVM_SETITEM, LVM_INSERTITEM) or by
// the user, send the parent one LVN_ITEMCHANGED per row whose state really changed:
// rows that only lose state first, then rows that gain, the newly focused row last.
// Nothing else sends one: not deleting the rows, not the focus entering the list.
#pragma once

#include <vector>

#include "platform/mfc/detail/list_navigation.h"
#include "platform/mfc/detail/list_rows.h"
#include "platform/mfc/detail/list_table_view.h"
#include "platform/mfc/detail/window.h"

namespace mfc_detail {

class ListModel;

class ListViewWindow : public HWND__, private ListOwner {
  public:
    ListViewWindow(QWidget* parentWidget, HWND parent, int id, DWORD style);
    ~ListViewWindow() override;
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::u16string Text() const override { return {}; }
    void SetText(const std::u16string&) override {}

  private:
    const ListRows& Rows() const override { return rows_; }
    void Perform(const ListAction& action) override;

    LRESULT InsertItem(const LVITEMW& item);
    LRESULT SetItem(const LVITEMW& item);
    LRESULT GetItem(LVITEMW& item) const;
    LRESULT GetItemText(int row, LVITEMW& item) const;
    LRESULT SetItemText(int row, const LVITEMW& item);
    LRESULT InsertColumn(int index, const LVCOLUMNW& column);
    DWORD SetExtendedStyle(DWORD mask, DWORD style);
    void DeleteAllItems();

    // Sets the masked state bits of a row, or of every row (-1, told in one
    // notification for row -1).
    void SetState(int row, UINT state, UINT mask);
    void SetEveryRowsSelection(UINT state, UINT mask);
    void Apply(const std::vector<ListChange>& changes);
    void Notify(int row, UINT oldState, UINT newState);

    ListRows rows_;
    std::vector<ListColumn> columns_;
    DWORD exStyle_ = 0;
    ListTableView* view_;
    ListModel* model_;
    // Deleting every row scrolls back to the top once the view has caught up.
    bool scrollToTop_ = false;
};

}  // namespace mfc_detail
