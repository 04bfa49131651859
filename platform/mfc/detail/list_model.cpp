#include "platform/mfc/detail/list_model.h"

#include "platform/mfc/detail/window.h"

namespace mfc_detail {

ListModel::ListModel(const ListRows& rows, const std::vector<ListColumn>& columns, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), columns_(columns) {}

int ListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) {
        return 0;
    }
    return changing_ ? shownRows_ : rows_.Count();
}

int ListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(columns_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!rows_.Valid(index.row())) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        // One line per row: line breaks show as blanks.
        return ToQString(rows_.Text(index.row(), index.column()))
            .replace(QChar(u'\r'), QChar(u' '))
            .replace(QChar(u'\n'), QChar(u' '));
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    return {};
}

QVariant ListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < static_cast<int>(columns_.size())) {
        return ToQString(columns_[static_cast<std::size_t>(section)].heading);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags ListModel::flags(const QModelIndex&) const {
    return Qt::ItemIsEnabled;
}

void ListModel::RowsChanging() {
    if (changing_) {
        return;
    }
    shownRows_ = rows_.Count();
    beginResetModel();
    changing_ = true;
    QMetaObject::invokeMethod(this, &ListModel::Settle, Qt::QueuedConnection);
}

void ListModel::Settle() {
    if (changing_) {
        changing_ = false;
        endResetModel();
    }
}

void ListModel::CellChanged(int row, int column) {
    if (!changing_) {
        const QModelIndex cell = index(row, column);
        emit dataChanged(cell, cell, {Qt::DisplayRole});
    }
}

void ListModel::BeginInsertColumn(int column) {
    Settle();
    beginInsertColumns(QModelIndex(), column, column);
}

void ListModel::EndInsertColumn() {
    endInsertColumns();
}

}  // namespace mfc_detail
