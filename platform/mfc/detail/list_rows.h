// The rows of a report-view list: texts by column, the item's value and its state bits.
// Plain data; the view only displays it.
#pragma once

#include <string>
#include <vector>

#include "platform/mfc/window_types.h"

namespace mfc_detail {

struct ListRow {
    std::vector<std::u16string> texts;  // column i; missing columns are empty
    LPARAM param = 0;
    UINT state = 0;  // LVIS_SELECTED, LVIS_FOCUSED
};

struct ListColumn {
    std::u16string heading;
    int format = LVCFMT_LEFT;
    int width = 0;
};

class ListRows {
  public:
    int Count() const { return static_cast<int>(rows_.size()); }
    bool Valid(int row) const { return row >= 0 && row < Count(); }

    // Inserts at row (clamped to the end), without state bits; returns where it went.
    int Insert(int row, ListRow item);
    void Clear();

    const std::u16string& Text(int row, int column) const;
    void SetText(int row, int column, std::u16string text);
    LPARAM Param(int row) const { return Row(row).param; }
    void SetParam(int row, LPARAM param) { Row(row).param = param; }
    UINT State(int row) const { return Row(row).state; }
    // At most one row is focused: the caller takes the bit from the old row first.
    void SetState(int row, UINT state);

    // The focused row, or -1.
    int FocusedRow() const { return focused_; }

  private:
    ListRow& Row(int row) { return rows_[static_cast<std::size_t>(row)]; }
    const ListRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

    std::vector<ListRow> rows_;
    int focused_ = -1;
};

}  // namespace mfc_detail
