#include "platform/mfc/list_ctrl.h"

#include <string>

namespace {

template <typename T>
LPARAM AsParam(T* pointer) {
    return reinterpret_cast<LPARAM>(pointer);
}

// The list-view structures hold writable text pointers; the messages that set a text
// only read it, so the caller's text goes in without a copy.
char16_t* Writable(const char16_t* text) {
    return const_cast<char16_t*>(text != nullptr ? text : u"");
}

}  // namespace

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle) {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, exStyle));
}

DWORD CListCtrl::GetExtendedStyle() const {
    return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE));
}

int CListCtrl::InsertColumn(int column, const char16_t* heading, int format, int width,
                            int subItem) {
    LVCOLUMNW c;
    c.mask = LVCF_TEXT | LVCF_FMT;
    c.fmt = format;
    c.pszText = Writable(heading);
    if (width != -1) {
        c.mask |= LVCF_WIDTH;
        c.cx = width;
    }
    if (subItem != -1) {
        c.mask |= LVCF_SUBITEM;
        c.iSubItem = subItem;
    }
    return static_cast<int>(
        SendMessage(LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), AsParam(&c)));
}

int CListCtrl::GetColumnWidth(int column) const {
    return static_cast<int>(SendMessage(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column)));
}

int CListCtrl::GetItemCount() const {
    return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

BOOL CListCtrl::DeleteAllItems() {
    return static_cast<BOOL>(SendMessage(LVM_DELETEALLITEMS));
}

int CListCtrl::InsertItem(const LVITEMW* item) {
    return static_cast<int>(SendMessage(LVM_INSERTITEMW, 0, AsParam(item)));
}

int CListCtrl::InsertItem(int row, const char16_t* text) {
    LVITEMW item;
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = Writable(text);
    return InsertItem(&item);
}

BOOL CListCtrl::SetItem(const LVITEMW* item) {
    return static_cast<BOOL>(SendMessage(LVM_SETITEMW, 0, AsParam(item)));
}

BOOL CListCtrl::SetItemText(int row, int column, const char16_t* text) {
    LVITEMW item;
    item.iSubItem = column;
    item.pszText = Writable(text);
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMTEXTW, static_cast<WPARAM>(row), AsParam(&item)));
}

CString CListCtrl::GetItemText(int row, int column) const {
    // Grows the buffer until the text fits with room to spare, as the class library does.
    for (std::size_t size = 256;; size *= 2) {
        std::u16string buffer(size, u'\0');
        LVITEMW item;
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(size);
        const auto got = static_cast<std::size_t>(
            SendMessage(LVM_GETITEMTEXTW, static_cast<WPARAM>(row), AsParam(&item)));
        if (got < size - 1) {
            buffer.resize(got);
            return CString(std::move(buffer));
        }
    }
}

DWORD_PTR CListCtrl::GetItemData(int row) const {
    LVITEMW item;
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessage(LVM_GETITEMW, 0, AsParam(&item)) != FALSE
               ? static_cast<DWORD_PTR>(item.lParam)
               : 0;
}

BOOL CListCtrl::SetItemData(int row, DWORD_PTR data) {
    LVITEMW item;
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = static_cast<LPARAM>(data);
    return SetItem(&item);
}

BOOL CListCtrl::SetItemState(int row, UINT state, UINT mask) {
    LVITEMW item;
    item.state = state;
    item.stateMask = mask;
    return static_cast<BOOL>(
        SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), AsParam(&item)));
}

UINT CListCtrl::GetItemState(int row, UINT mask) const {
    return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), mask));
}

int CListCtrl::SetSelectionMark(int row) {
    return static_cast<int>(SendMessage(LVM_SETSELECTIONMARK, 0, row));
}

int CListCtrl::GetSelectionMark() const {
    return static_cast<int>(SendMessage(LVM_GETSELECTIONMARK));
}

BOOL CListCtrl::EnsureVisible(int row, BOOL partialOK) {
    return static_cast<BOOL>(SendMessage(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), partialOK));
}
