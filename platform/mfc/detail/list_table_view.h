// The widget of a report-view list: a QTableView that shows the rows of its owner's
// ListRows, draws their selection and the focus rectangle across the whole row, and
// turns keys, button presses and typed characters into ListActions for the owner. Qt's
// own current index and selection are not used, so focus entering the list changes no
// row.
#pragma once

#include <QTableView>
#include <functional>

#include "platform/mfc/detail/list_navigation.h"

namespace mfc_detail {

// The clock in milliseconds that type-ahead measures pauses with. Tests set their own;
// an empty function restores the steady clock.
void SetTypeAheadClock(std::function<long long()> clock);

class ListModel;
class ListRows;

// What the view needs of the list that owns it.
class ListOwner {
  public:
    virtual const ListRows& Rows() const = 0;
    // Applies the action, tells the parent and scrolls the focused row into view.
    virtual void Perform(const ListAction& action) = 0;

  protected:
    ~ListOwner() = default;
};

class ListTableView : public QTableView {
  public:
    // showSelectionAlways: the selection shows also while the list lacks the focus.
    ListTableView(QWidget* parent, ListOwner& owner, bool showSelectionAlways);

    void SetListModel(ListModel* model);
    // Repaints one row after its state changed.
    void UpdateRow(int row);
    // Scrolls vertically until the row is wholly visible.
    void ShowRow(int row);
    bool ShowsSelection() const;

    void keyboardSearch(const QString& search) override;

  protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void updateGeometries() override;

  private:
    // Qt lines the last row up with the bottom when scrolled to the end, cutting the
    // top row; a report view keeps the top row whole and leaves the rest blank.
    void KeepTopRowWhole();
    void Press(QMouseEvent* event);
    void TypeText(const QString& text);
    ListPage Page() const;
    // The row's rectangle in the viewport, across every column.
    QRect RowRect(int row) const;

    ListOwner& owner_;
    ListModel* model_ = nullptr;
    bool showSelectionAlways_;
    TypeAhead typeAhead_;
};

}  // namespace mfc_detail
