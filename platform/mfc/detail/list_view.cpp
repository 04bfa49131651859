#include "platform/mfc/detail/list_view.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTableView>
#include <algorithm>
#include <tuple>

#include "platform/mfc/wnd.h"

namespace mfc_detail {

class ListModel : public QAbstractTableModel {
  public:
    ListModel(const ListRows& rows, const std::vector<ListColumn>& columns, QObject* parent)
        : QAbstractTableModel(parent), rows_(rows), columns_(columns) {}

    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : rows_.Count();
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(columns_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole) {
            // One line per row: line breaks show as blanks.
            QString text = ToQString(rows_.Text(index.row(), index.column()));
            text.replace(QChar(u'\r'), QChar(u' ')).replace(QChar(u'\n'), QChar(u' '));
            return text;
        }
        if (role == Qt::TextAlignmentRole) {
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole &&
            section < static_cast<int>(columns_.size())) {
            return ToQString(columns_[static_cast<std::size_t>(section)].heading);
        }
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    Qt::ItemFlags flags(const QModelIndex&) const override {
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }

    void BeginInsertRow(int row) { beginInsertRows(QModelIndex(), row, row); }
    void EndInsertRow() { endInsertRows(); }
    void BeginInsertColumn(int column) { beginInsertColumns(QModelIndex(), column, column); }
    void EndInsertColumn() { endInsertColumns(); }
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    void CellChanged(int row, int column) {
        const QModelIndex cell = index(row, column);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }

  private:
    const ListRows& rows_;
    const std::vector<ListColumn>& columns_;
};

// Hands the list each input event's selection and focus changes once the event is done.
class ListTableView : public QTableView {
  public:
    explicit ListTableView(QWidget* parent) : QTableView(parent) {}
    // From here on, events are followed by the owner's flush.
    void SetOwner(ListViewWindow* owner) { owner_ = owner; }

  protected:
    bool event(QEvent* e) override {
        const bool result = QTableView::event(e);
        Flush();
        return result;
    }
    bool viewportEvent(QEvent* e) override {
        const bool result = QTableView::viewportEvent(e);
        Flush();
        return result;
    }

  private:
    void Flush() {
        if (owner_ != nullptr) {
            owner_->FlushUserChanges();
        }
    }

    ListViewWindow* owner_ = nullptr;
};

namespace {

void ConfigureView(QTableView& view, DWORD style) {
    view.setSelectionBehavior(QAbstractItemView::SelectRows);
    view.setSelectionMode((style & LVS_SINGLESEL) != 0 ? QAbstractItemView::SingleSelection
                                                       : QAbstractItemView::ExtendedSelection);
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
    if ((style & LVS_SHOWSELALWAYS) == 0) {
        // The selection shows only while the list has the focus.
        QPalette palette = view.palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight,
                         palette.color(QPalette::Inactive, QPalette::Base));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         palette.color(QPalette::Inactive, QPalette::Text));
        view.setPalette(palette);
    }
}

void CopyText(const std::u16string& text, char16_t* buffer, int size) {
    if (buffer == nullptr || size <= 0) {
        return;
    }
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(size) - 1);
    buffer[text.copy(buffer, n)] = u'\0';
}

std::u16string TextOf(const char16_t* text) {
    return text != nullptr ? text : u"";
}

}  // namespace

ListViewWindow::ListViewWindow(QWidget* parentWidget, HWND parentWindow, int controlId, DWORD style)
    : HWND__(new ListTableView(parentWidget), parentWindow, controlId),
      model_(nullptr),
      view_(static_cast<ListTableView*>(widget)) {
    model_ = new ListModel(rows_, columns_, view_);
    view_->setModel(model_);
    ConfigureView(*view_, style);
    QItemSelectionModel* selection = view_->selectionModel();
    QObject::connect(selection, &QItemSelectionModel::selectionChanged, view_,
                     [this](const QItemSelection& selected, const QItemSelection& deselected) {
                         for (const QItemSelection* part : {&selected, &deselected}) {
                             for (const QItemSelectionRange& range : *part) {
                                 for (int row = range.top(); row <= range.bottom(); ++row) {
                                     NoteUserChange(row);
                                 }
                             }
                         }
                     });
    QObject::connect(selection, &QItemSelectionModel::currentRowChanged, view_,
                     [this](const QModelIndex& current, const QModelIndex& previous) {
                         NoteUserChange(current.row());
                         NoteUserChange(previous.row());
                     });
    view_->SetOwner(this);
}

ListViewWindow::~ListViewWindow() = default;

void ListViewWindow::NoteUserChange(int row) {
    if (!syncing_ && row >= 0) {
        pending_.insert(row);
    }
}

void ListViewWindow::FlushUserChanges() {
    if (syncing_ || pending_.empty()) {
        return;
    }
    const std::set<int> rows = std::move(pending_);
    pending_.clear();
    const QItemSelectionModel* selection = view_->selectionModel();
    const int current = view_->currentIndex().row();
    std::vector<Change> changes;
    for (const int row : rows) {
        if (!rows_.Valid(row)) {
            continue;
        }
        const UINT old = rows_.State(row);
        const UINT shown = (selection->isRowSelected(row, QModelIndex()) ? LVIS_SELECTED : 0) |
                           (row == current ? LVIS_FOCUSED : 0);
        const UINT now = (old & ~(LVIS_SELECTED | LVIS_FOCUSED)) | shown;
        if (now != old) {
            changes.push_back({row, old, now});
        }
    }
    // Losses first (the old row's deselection), then gains, the new focus row last.
    std::stable_sort(changes.begin(), changes.end(), [](const Change& a, const Change& b) {
        const auto key = [](const Change& c) {
            const UINT gained = c.newState & ~c.oldState;
            return std::make_tuple(gained != 0, (gained & LVIS_FOCUSED) != 0, c.row);
        };
        return key(a) < key(b);
    });
    for (const Change& change : changes) {
        if (rows_.Valid(change.row)) {
            rows_.SetState(change.row, change.newState);
            Notify(change.row, change.oldState, change.newState);
        }
    }
}

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
        case LVM_GETITEMTEXTW: {
            auto& item = *reinterpret_cast<LVITEMW*>(lParam);
            if (!rows_.Valid(index)) {
                return 0;
            }
            CopyText(rows_.Text(index, item.iSubItem), item.pszText, item.cchTextMax);
            return item.pszText != nullptr && item.cchTextMax > 0
                       ? static_cast<LRESULT>(std::char_traits<char16_t>::length(item.pszText))
                       : 0;
        }
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
        case LVM_SETSELECTIONMARK:
            return std::exchange(selectionMark_, static_cast<int>(lParam));
        case LVM_GETSELECTIONMARK:
            return selectionMark_;
        case LVM_ENSUREVISIBLE:
            if (!rows_.Valid(index)) {
                return FALSE;
            }
            view_->scrollTo(model_->index(index, 0), QAbstractItemView::EnsureVisible);
            return TRUE;
        default:
            return HWND__::ClassProc(message, wParam, lParam);
    }
}

LRESULT ListViewWindow::InsertItem(const LVITEMW& item) {
    if (item.iSubItem != 0) {
        return -1;
    }
    ListRow row;
    if ((item.mask & LVIF_TEXT) != 0) {
        row.texts.push_back(TextOf(item.pszText));
    }
    if ((item.mask & LVIF_PARAM) != 0) {
        row.param = item.lParam;
    }
    const int at = std::clamp(item.iItem, 0, rows_.Count());
    syncing_ = true;
    model_->BeginInsertRow(at);
    rows_.Insert(at, std::move(row));
    model_->EndInsertRow();
    syncing_ = false;
    if (selectionMark_ >= at) {
        ++selectionMark_;
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
    for (int row = 0; row < rows_.Count(); ++row) {
        for (int c = static_cast<int>(columns_.size()) - 1; c > at; --c) {
            rows_.SetText(row, c, rows_.Text(row, c - 1));
        }
        rows_.SetText(row, at, std::u16string());
    }
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
    syncing_ = true;
    model_->BeginReset();
    rows_.Clear();
    model_->EndReset();
    syncing_ = false;
    pending_.clear();
    selectionMark_ = -1;
}

void ListViewWindow::SetState(int row, UINT state, UINT mask) {
    const auto merged = [&](UINT old) { return (old & ~mask) | (state & mask); };
    if (row == -1) {
        // Every row: the selection bit only, one notification for row -1.
        const UINT bits = mask & LVIS_SELECTED;
        bool changed = false;
        for (int r = 0; r < rows_.Count(); ++r) {
            const UINT old = rows_.State(r);
            const UINT now = (old & ~bits) | (state & bits);
            changed = changed || now != old;
            rows_.SetState(r, now);
        }
        syncing_ = true;
        if (rows_.Count() > 0 && bits != 0) {
            const QItemSelection all(model_->index(0, 0),
                                     model_->index(rows_.Count() - 1, model_->columnCount({}) - 1));
            view_->selectionModel()->select(all, (state & bits) != 0
                                                     ? QItemSelectionModel::Select
                                                     : QItemSelectionModel::Deselect);
        }
        syncing_ = false;
        if (changed) {
            Notify(-1, 0, state & bits);
        }
        return;
    }
    std::vector<Change> changes;
    const UINT now = merged(rows_.State(row));
    const int focused = rows_.FocusedRow();
    if ((now & LVIS_FOCUSED) != 0 && focused >= 0 && focused != row) {
        changes.push_back({focused, rows_.State(focused), rows_.State(focused) & ~LVIS_FOCUSED});
    }
    if (now != rows_.State(row)) {
        changes.push_back({row, rows_.State(row), now});
    }
    Apply(changes);
}

void ListViewWindow::Apply(const std::vector<Change>& changes) {
    for (const Change& change : changes) {
        if (!rows_.Valid(change.row)) {
            continue;
        }
        rows_.SetState(change.row, change.newState);
        ShowInView(change.row);
        Notify(change.row, change.oldState, change.newState);
    }
}

void ListViewWindow::ShowInView(int row) {
    syncing_ = true;
    QItemSelectionModel* selection = view_->selectionModel();
    const QModelIndex cell = model_->index(row, 0);
    const UINT state = rows_.State(row);
    selection->select(cell, ((state & LVIS_SELECTED) != 0 ? QItemSelectionModel::Select
                                                          : QItemSelectionModel::Deselect) |
                                QItemSelectionModel::Rows);
    if ((state & LVIS_FOCUSED) != 0) {
        selection->setCurrentIndex(cell, QItemSelectionModel::NoUpdate);
    } else if (selection->currentIndex().row() == row) {
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    }
    syncing_ = false;
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
