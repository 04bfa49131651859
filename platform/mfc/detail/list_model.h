// The rows of a report-view list as a Qt table model. Rows added or removed are told to
// the views as one model reset when the list is next shown (Settle): when the view next
// handles an event, when it is asked to show a row, or when the event loop next runs.
// Filling 50,000 rows thus costs no signal per row.
#pragma once

#include <QAbstractTableModel>
#include <vector>

#include "platform/mfc/detail/list_rows.h"

namespace mfc_detail {

class ListModel : public QAbstractTableModel {
  public:
    ListModel(const ListRows& rows, const std::vector<ListColumn>& columns, QObject* parent);

    // Until the model settles, the rows the views knew before the change.
    int rowCount(const QModelIndex& parent) const override;
    int columnCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // Rows are about to be added or removed.
    void RowsChanging();
    // Tells the views of the rows added or removed since RowsChanging; nothing when
    // there are none.
    void Settle();
    void CellChanged(int row, int column);
    void BeginInsertColumn(int column);
    void EndInsertColumn();

  private:
    const ListRows& rows_;
    const std::vector<ListColumn>& columns_;
    bool changing_ = false;
    int shownRows_ = 0;
};

}  // namespace mfc_detail
