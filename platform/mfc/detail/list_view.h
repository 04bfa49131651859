// The report-view list control on a QTableView. Its rows live in ListRows; a table model
// shows them, so a list of 100,000 rows costs no widget per row.
#pragma once

#include <set>
#include <vector>

#include "platform/mfc/detail/list_rows.h"
#include "platform/mfc/detail/window.h"

namespace mfc_detail {

class ListModel;
class ListTableView;

// State changes, by code (LVM_SETITEMSTATE, LVM_SETITEM) or by the user, send the
// parent one LVN_ITEMCHANGED per row whose state changed: rows that only lose state
// first, then rows that gain, the newly focused row last.
class ListViewWindow : public HWND__ {
  public:
    ListViewWindow(QWidget* parentWidget, HWND parent, int id, DWORD style);
    ~ListViewWindow() override;
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::u16string Text() const override { return {}; }
    void SetText(const std::u16string&) override {}

    // The view reports rows whose selection or focus the user changed; after each
    // input event they are compared with the rows' states and notified.
    void NoteUserChange(int row);
    void FlushUserChanges();

  private:
    struct Change {
        int row;
        UINT oldState;
        UINT newState;
    };

    LRESULT InsertItem(const LVITEMW& item);
    LRESULT SetItem(const LVITEMW& item);
    LRESULT GetItem(LVITEMW& item) const;
    LRESULT SetItemText(int row, const LVITEMW& item);
    LRESULT InsertColumn(int index, const LVCOLUMNW& column);
    DWORD SetExtendedStyle(DWORD mask, DWORD style);
    void DeleteAllItems();

    // Sets the masked state bits of a row (-1: of every row, told in one notification
    // for row -1) and notifies the changes.
    void SetState(int row, UINT state, UINT mask);
    void Apply(const std::vector<Change>& changes);
    void ShowInView(int row);
    void Notify(int row, UINT oldState, UINT newState);

    ListRows rows_;
    std::vector<ListColumn> columns_;
    DWORD exStyle_ = 0;
    int selectionMark_ = -1;
    ListModel* model_;
    ListTableView* view_;
    bool syncing_ = false;
    std::set<int> pending_;
};

}  // namespace mfc_detail
