#include "platform/mfc/detail/list_table_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <chrono>
#include <optional>

#include "platform/mfc/detail/list_model.h"
#include "platform/mfc/detail/list_rows.h"
#include "platform/mfc/detail/window.h"

namespace mfc_detail {
namespace {

// Cells show the row's own selection, while the view shows it; no cell draws a focus.
class RowStateDelegate : public QStyledItemDelegate {
  public:
    RowStateDelegate(ListTableView& view, const ListOwner& owner)
        : QStyledItemDelegate(&view), view_(view), owner_(owner) {}

  protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        const ListRows& rows = owner_.Rows();
        if (view_.ShowsSelection() && rows.Valid(index.row()) &&
            (rows.State(index.row()) & LVIS_SELECTED) != 0) {
            option->state |= QStyle::State_Selected;
        }
    }

  private:
    const ListTableView& view_;
    const ListOwner& owner_;
};

std::optional<ListKey> NavigationKey(int key) {
    switch (key) {
        case Qt::Key_Up:
            return ListKey::Up;
        case Qt::Key_Down:
            return ListKey::Down;
        case Qt::Key_PageUp:
            return ListKey::PageUp;
        case Qt::Key_PageDown:
            return ListKey::PageDown;
        case Qt::Key_Home:
            return ListKey::Home;
        case Qt::Key_End:
            return ListKey::End;
        case Qt::Key_Space:
            return ListKey::Space;
        default:
            return std::nullopt;
    }
}

ListModifiers ModifiersOf(Qt::KeyboardModifiers modifiers) {
    return ListModifiers{(modifiers & Qt::ShiftModifier) != 0,
                         (modifiers & Qt::ControlModifier) != 0};
}

std::function<long long()>& TypeAheadClock() {
    static std::function<long long()> clock;
    return clock;
}

long long Now() {
    if (const auto& clock = TypeAheadClock()) {
        return clock();
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

bool Printable(const QString& text) {
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c.isPrint(); });
}

}  // namespace

void SetTypeAheadClock(std::function<long long()> clock) {
    TypeAheadClock() = std::move(clock);
}

ListTableView::ListTableView(QWidget* parent, ListOwner& owner, bool showSelectionAlways)
    : QTableView(parent), owner_(owner), showSelectionAlways_(showSelectionAlways) {
    setSelectionMode(QAbstractItemView::NoSelection);
    // A report view scrolls by whole rows: the top row is never cut.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setItemDelegate(new RowStateDelegate(*this, owner_));
    horizontalHeader()->setSectionsClickable(false);
}

void ListTableView::SetListModel(ListModel* model) {
    model_ = model;
    setModel(model);
}

bool ListTableView::ShowsSelection() const {
    return showSelectionAlways_ || hasFocus();
}

QRect ListTableView::RowRect(int row) const {
    const int columns = model() != nullptr ? model()->columnCount({}) : 0;
    if (columns == 0 || row < 0) {
        return {};
    }
    const int left = columnViewportPosition(0);
    const int right = columnViewportPosition(columns - 1) + columnWidth(columns - 1);
    return QRect(left, rowViewportPosition(row), right - left, rowHeight(row));
}

void ListTableView::UpdateRow(int row) {
    const QRect rect = RowRect(row);
    if (rect.isValid()) {
        viewport()->update(rect);
    }
}

void ListTableView::ShowRow(int row) {
    if (model_ == nullptr) {
        return;
    }
    model_->Settle();
    // A report view scrolls only up and down to show a row.
    const int across = horizontalScrollBar()->value();
    scrollTo(model_->index(row, 0), QAbstractItemView::EnsureVisible);
    horizontalScrollBar()->setValue(across);
}

ListPage ListTableView::Page() const {
    const int top = std::max(rowAt(0), 0);
    const int height = std::max(verticalHeader()->defaultSectionSize(), 1);
    return ListPage{top, std::max(viewport()->height() / height, 1)};
}

bool ListTableView::event(QEvent* event) {
    if (model_ != nullptr) {
        model_->Settle();
    }
    return QTableView::event(event);
}

bool ListTableView::viewportEvent(QEvent* event) {
    if (model_ != nullptr) {
        model_->Settle();
    }
    return QTableView::viewportEvent(event);
}

void ListTableView::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    if ((modifiers & (Qt::AltModifier | Qt::MetaModifier)) != 0) {
        event->ignore();
        return;
    }
    if (const std::optional<ListKey> key = NavigationKey(event->key())) {
        owner_.Perform(KeyAction(owner_.Rows(), *key, ModifiersOf(modifiers), Page()));
    } else if (event->key() == Qt::Key_Left || event->key() == Qt::Key_Right) {
        horizontalScrollBar()->triggerAction(event->key() == Qt::Key_Left
                                                 ? QAbstractSlider::SliderSingleStepSub
                                                 : QAbstractSlider::SliderSingleStepAdd);
    } else if ((modifiers & Qt::ControlModifier) == 0 && Printable(event->text())) {
        TypeText(event->text());
    } else {
        // Enter, Esc and Tab go on to the dialog; other keys, Ctrl+A among them, do nothing.
        event->ignore();
        return;
    }
    event->accept();
}

void ListTableView::inputMethodEvent(QInputMethodEvent* event) {
    if (Printable(event->commitString())) {
        TypeText(event->commitString());
    }
    event->accept();
}

void ListTableView::keyboardSearch(const QString& search) {
    TypeText(search);
}

void ListTableView::TypeText(const QString& text) {
    const int row = typeAhead_.Type(owner_.Rows(), FromQString(text), Now());
    if (row >= 0) {
        owner_.Perform(SelectAlone(row));
    }
}

void ListTableView::Press(QMouseEvent* event) {
    const bool right = event->button() == Qt::RightButton;
    if (event->button() != Qt::LeftButton && !right) {
        return;
    }
    const QModelIndex cell = indexAt(event->position().toPoint());
    const int row = cell.isValid() ? cell.row() : -1;
    owner_.Perform(ClickAction(owner_.Rows(), row, ModifiersOf(event->modifiers()), right));
}

void ListTableView::mousePressEvent(QMouseEvent* event) {
    Press(event);
}

// The press before it did the selecting; a Windows list view only tells the parent of
// the double click, which no handler here asks for.
void ListTableView::mouseDoubleClickEvent(QMouseEvent*) {}

// Dragging selects nothing and the release changes nothing: the press did it all.
void ListTableView::mouseMoveEvent(QMouseEvent*) {}
void ListTableView::mouseReleaseEvent(QMouseEvent*) {}

void ListTableView::focusInEvent(QFocusEvent* event) {
    // Unlike QAbstractItemView, no row becomes current: only the looks change.
    QWidget::focusInEvent(event);
    viewport()->update();
}

void ListTableView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    viewport()->update();
}

void ListTableView::scrollContentsBy(int dx, int dy) {
    QTableView::scrollContentsBy(dx, dy);
    KeepTopRowWhole();
}

void ListTableView::updateGeometries() {
    QTableView::updateGeometries();
    KeepTopRowWhole();
}

void ListTableView::KeepTopRowWhole() {
    const int top = verticalScrollBar()->value();
    QHeaderView* rows = verticalHeader();
    if (top < rows->count() && rows->offset() != rows->sectionPosition(top)) {
        rows->setOffsetToSectionPosition(top);
        viewport()->update();
    }
}

void ListTableView::paintEvent(QPaintEvent* event) {
    QTableView::paintEvent(event);
    const ListRows& rows = owner_.Rows();
    const int focused = rows.FocusedRow();
    const QRect rect = RowRect(focused);
    if (!hasFocus() || !rect.isValid() || !rect.intersects(event->rect())) {
        return;
    }
    QPainter painter(viewport());
    const bool selected = ShowsSelection() && (rows.State(focused) & LVIS_SELECTED) != 0;
    QPen pen(palette().color(selected ? QPalette::HighlightedText : QPalette::Text));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

}  // namespace mfc_detail
