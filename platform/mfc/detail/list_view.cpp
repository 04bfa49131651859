#include "platform/mfc/detail/list_view.h"

#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "platform/mfc/detail/list_model.h"
#include "platform/mfc/wnd.h"

namespace mfc_detail {
namespace {

void ConfigureView(QTableView& view, DWORD style) {
    view.setEditTriggers(QAbstractItemView::NoEditTriggers);
    view.setTabKeyNavigation(false);
    view.setWordWrap(false);
    view.setTextElideMode(Qt::ElideRight);
    view.setShowGrid(false);
    view.setSortingEnabled(false);
    view.setFrameShape((style & WS_BORDER) != 0 ? QFrame::StyledPanel : QFrame::NoFrame);
    view.verticalHeader()->hide();
    view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view.verticalHeader()->setMinimumSectionSize(1);
    view.verticalHeader()->setDefaultSectionSize(view.fontMetrics().height() + 3);
    view.horizontalHeader()->setStretchLastSection(false);
    view.horizontalHeader()->setHighlightSections(false);
    view.horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    view.horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
}

void CopyText(std::u16string_view text, char16_t* buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return;
    }
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    buffer[text.copy(buffer, n)] = u'\0';
}

std::u16string_view TextOf(const char16_t* text) {
    return text != nullptr ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace

ListViewWindow::ListViewWindow(QWidget* parentWidget, HWND parentWindow, int controlId, DWORD style)
    : HWND__(new ListTableView(parentWidget, *this, (style & LVS_SHOWSELALWAYS) != 0), parentWindow,
             controlId),
      view_(static_cast<ListTableView*>(widget)),
      model_(new ListModel(rows_, columns_, view_)) {
    view_->SetListModel(model_);
    ConfigureView(*view_, style);
    QObject::connect(model_, &QAbstractItemModel::modelReset, view_, [this] {
        if (std::exchange(scrollToTop_, false)) {
            view_->verticalScrollBar()->setValue(0);
        }
    });
}

ListViewWindow::~ListViewWindow() = default;

LRESULT ListViewWindow::ClassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const int index = static_cast<int>(wParam);
    switch (message) {
        case LVM_GETITEMCOUNT:
            return rows_.Count();
        case LVM_DELETEALLITEMS:
            DeleteAllItems();
            return TRUE;
        case LVM_INSERTITEMW:
            return InsertItem(*reinterpret_cast<const LVITEMW*>(lParam));
        case LVM_SETITEMW:
            return SetItem(*reinterpret_cast<const LVITEMW*>(lParam));
        case LVM_GETITEMW:
            return GetItem(*reinterpret_cast<LVITEMW*>(lParam));
        case LVM_SETITEMTEXTW:
            return SetItemText(index, *reinterpret_cast<const LVITEMW*>(lParam));
        case LVM_GETITEMTEXTW:
            return GetItemText(index, *reinterpret_cast<LVITEMW*>(lParam));
        case LVM_SETITEMSTATE: {
            const auto& item = *reinterpret_cast<const LVITEMW*>(lParam);
            if (index != -1 && !rows_.Valid(index)) {
                return FALSE;
            }
            SetState(index, item.state, item.stateMask);
            return TRUE;
        }
        case LVM_GETITEMSTATE:
            return rows_.Valid(index)
                       ? static_cast<LRESULT>(rows_.State(index) & static_cast<UINT>(lParam))
                       : 0;
        case LVM_INSERTCOLUMNW:
            return InsertColumn(index, *reinterpret_cast<const LVCOLUMNW*>(lParam));
        case LVM_GETCOLUMNWIDTH:
            return index >= 0 && index < static_cast<int>(columns_.size())
                       ? view_->columnWidth(index)
                       : 0;
        case LVM_SETEXTENDEDLISTVIEWSTYLE:
            return static_cast<LRESULT>(
                SetExtendedStyle(static_cast<DWORD>(wParam), static_cast<DWORD>(lParam)));
        case LVM_GETEXTENDEDLISTVIEWSTYLE:
            return static_cast<LRESULT>(exStyle_);
        case LVM_SETSELECTIONMARK: {
            const int old = rows_.SelectionMark();
            rows_.SetSelectionMark(static_cast<int>(lParam));
            return old;
        }
        case LVM_GETSELECTIONMARK:
            return rows_.SelectionMark();
        case LVM_ENSUREVISIBLE:
            if (!rows_.Valid(index)) {
                return FALSE;
            }
            view_->ShowRow(index);
            return TRUE;
        default:
            return HWND__::ClassProc(message, wParam, lParam);
    }
}

void ListViewWindow::Perform(const ListAction& action) {
    const std::vector<ListChange> changes = PlanAction(rows_, action);
    if (action.mark >= 0) {
        rows_.SetSelectionMark(action.mark);
    }
    Apply(changes);
    if (rows_.Valid(action.focus)) {
        view_->ShowRow(action.focus);
    }
}

LRESULT ListViewWindow::InsertItem(const LVITEMW& item) {
    if (item.iSubItem != 0) {
        return -1;
    }
    model_->RowsChanging();
    const int at = rows_.Insert(item.iItem);
    if ((item.mask & LVIF_TEXT) != 0) {
        rows_.SetText(at, 0, TextOf(item.pszText));
    }
    if ((item.mask & LVIF_PARAM) != 0) {
        rows_.SetParam(at, item.lParam);
    }
    if ((item.mask & LVIF_STATE) != 0 && (item.state & item.stateMask) != 0) {
        SetState(at, item.state, item.stateMask);
    }
    return at;
}

LRESULT ListViewWindow::SetItem(const LVITEMW& item) {
    if (!rows_.Valid(item.iItem)) {
        return FALSE;
    }
    if ((item.mask & LVIF_TEXT) != 0 && SetItemText(item.iItem, item) == FALSE) {
        return FALSE;
    }
    if ((item.mask & LVIF_PARAM) != 0 && item.iSubItem == 0) {
        rows_.SetParam(item.iItem, item.lParam);
    }
    if ((item.mask & LVIF_STATE) != 0 && item.iSubItem == 0) {
        SetState(item.iItem, item.state, item.stateMask);
    }
    return TRUE;
}

LRESULT ListViewWindow::GetItem(LVITEMW& item) const {
    if (!rows_.Valid(item.iItem)) {
        return FALSE;
    }
    if ((item.mask & LVIF_TEXT) != 0) {
        CopyText(rows_.Text(item.iItem, item.iSubItem), item.pszText, item.cchTextMax);
    }
    if ((item.mask & LVIF_PARAM) != 0) {
        item.lParam = rows_.Param(item.iItem);
    }
    if ((item.mask & LVIF_STATE) != 0) {
        item.state = rows_.State(item.iItem) & item.stateMask;
    }
    return TRUE;
}

LRESULT ListViewWindow::GetItemText(int row, LVITEMW& item) const {
    if (!rows_.Valid(row) || item.pszText == nullptr || item.cchTextMax <= 0) {
        return 0;
    }
    CopyText(rows_.Text(row, item.iSubItem), item.pszText, item.cchTextMax);
    return static_cast<LRESULT>(std::char_traits<char16_t>::length(item.pszText));
}

LRESULT ListViewWindow::SetItemText(int row, const LVITEMW& item) {
    const bool columnExists =
        item.iSubItem == 0 ||
        (item.iSubItem > 0 && item.iSubItem < static_cast<int>(columns_.size()));
    if (!rows_.Valid(row) || !columnExists) {
        return FALSE;
    }
    rows_.SetText(row, item.iSubItem, TextOf(item.pszText));
    model_->CellChanged(row, item.iSubItem);
    return TRUE;
}

LRESULT ListViewWindow::InsertColumn(int index, const LVCOLUMNW& column) {
    if (index < 0) {
        return -1;
    }
    const int at = std::min(index, static_cast<int>(columns_.size()));
    ListColumn added;
    if ((column.mask & LVCF_TEXT) != 0) {
        added.heading = TextOf(column.pszText);
    }
    if ((column.mask & LVCF_FMT) != 0) {
        added.format = column.fmt;
    }
    added.width = (column.mask & LVCF_WIDTH) != 0 ? column.cx : 0;
    model_->BeginInsertColumn(at);
    columns_.insert(columns_.begin() + at, std::move(added));
    rows_.InsertColumn(at);
    model_->EndInsertColumn();
    view_->setColumnWidth(at, columns_[static_cast<std::size_t>(at)].width);
    return at;
}

DWORD ListViewWindow::SetExtendedStyle(DWORD mask, DWORD style) {
    const DWORD old = exStyle_;
    exStyle_ = mask == 0 ? style : (old & ~mask) | (style & mask);
    view_->setShowGrid((exStyle_ & LVS_EX_GRIDLINES) != 0);
    return old;
}

void ListViewWindow::DeleteAllItems() {
    model_->RowsChanging();
    rows_.Clear();
    scrollToTop_ = true;
}

void ListViewWindow::SetState(int row, UINT state, UINT mask) {
    if (row == -1) {
        SetEveryRowsSelection(state, mask);
    } else {
        Apply(PlanSetState(rows_, row, state, mask));
    }
}

// Only the selection bit applies to every row at once.
void ListViewWindow::SetEveryRowsSelection(UINT state, UINT mask) {
    const UINT bit = mask & LVIS_SELECTED;
    bool changed = false;
    for (int row = 0; row < rows_.Count(); ++row) {
        const UINT old = rows_.State(row);
        const UINT now = (old & ~bit) | (state & bit);
        changed = changed || now != old;
        rows_.SetState(row, now);
    }
    view_->viewport()->update();
    if (changed) {
        Notify(-1, 0, state & bit);
    }
}

void ListViewWindow::Apply(const std::vector<ListChange>& changes) {
    for (const ListChange& change : changes) {
        if (!rows_.Valid(change.row)) {
            continue;  // a handler deleted the rows
        }
        // A handler may have changed the row meanwhile: only the planned bits change.
        const UINT bits = change.oldState ^ change.newState;
        const UINT old = rows_.State(change.row);
        const UINT now = (old & ~bits) | (change.newState & bits);
        if (now == old) {
            continue;
        }
        rows_.SetState(change.row, now);
        view_->UpdateRow(change.row);
        Notify(change.row, old, now);
    }
}

void ListViewWindow::Notify(int row, UINT oldState, UINT newState) {
    NMLISTVIEW notification;
    notification.hdr = NMHDR{this, static_cast<UINT_PTR>(id), LVN_ITEMCHANGED};
    notification.iItem = row;
    notification.uNewState = newState;
    notification.uOldState = oldState;
    notification.uChanged = LVIF_STATE;
    notification.lParam = rows_.Valid(row) ? rows_.Param(row) : 0;
    SendMessageW(parent, WM_NOTIFY, static_cast<WPARAM>(id),
                 reinterpret_cast<LPARAM>(&notification));
}

}  // namespace mfc_detail
