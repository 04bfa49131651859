// The class library's list control: each call is the list-view message of the same
// name sent to the bound window.
#pragma once

#include "platform/mfc/wnd.h"

class CListCtrl : public CWnd {
  public:
    // LVM_SETEXTENDEDLISTVIEWSTYLE with mask 0: the style replaces every extended style.
    DWORD SetExtendedStyle(DWORD exStyle);
    DWORD GetExtendedStyle() const;

    // Returns the column's index, or -1.
    int InsertColumn(int column, const char16_t* heading, int format = LVCFMT_LEFT, int width = -1,
                     int subItem = -1);
    int GetColumnWidth(int column) const;

    int GetItemCount() const;
    BOOL DeleteAllItems();
    // Returns the new row's index, or -1.
    int InsertItem(const LVITEMW* item);
    int InsertItem(int row, const char16_t* text);
    BOOL SetItem(const LVITEMW* item);
    BOOL SetItemText(int row, int column, const char16_t* text);
    CString GetItemText(int row, int column) const;
    // The row's value; 0 for a row that does not exist.
    DWORD_PTR GetItemData(int row) const;
    BOOL SetItemData(int row, DWORD_PTR data);

    // The state bits in mask are set to those of state; changes are notified.
    BOOL SetItemState(int row, UINT state, UINT mask);
    UINT GetItemState(int row, UINT mask) const;
    int SetSelectionMark(int row);
    int GetSelectionMark() const;
    BOOL EnsureVisible(int row, BOOL partialOK);
};
