// The rows of a report-view list as a Windows list view keeps them: texts by column, the
// item's value, its state bits, the focused row and the selection mark. Plain data; the
// view only displays it.
//
// The texts of all rows share one buffer, so filling 50,000 rows makes no allocation
// per row and deleting them all frees one block.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/mfc/window_types.h"

namespace mfc_detail {

struct ListColumn {
    std::u16string heading;
    int format = LVCFMT_LEFT;
    int width = 0;
};

class ListRows {
  public:
    int Count() const { return static_cast<int>(rows_.size()); }
    bool Valid(int row) const { return row >= 0 && row < Count(); }

    // Inserts a row without texts or state at row (clamped to the end); returns where it
    // went. The focused row and the selection mark move with their rows.
    int Insert(int row);
    void Clear();

    // A column inserted at column (at most the column count) takes the texts of that
    // column and the ones after it one to the right and starts empty. The first column
    // of a list without columns is column 0, whose texts the rows keep.
    void InsertColumn(int column);

    // Column 0 is the item's text; columns outside the list are empty and not set.
    std::u16string_view Text(int row, int column) const;
    void SetText(int row, int column, std::u16string_view text);

    LPARAM Param(int row) const { return rows_[Index(row)].param; }
    void SetParam(int row, LPARAM param) { rows_[Index(row)].param = param; }
    UINT State(int row) const { return rows_[Index(row)].state; }
    // At most one row has LVIS_FOCUSED: giving it to a row takes it from the other.
    void SetState(int row, UINT state);

    // The focused row, or -1.
    int FocusedRow() const { return focused_; }
    // The row that a range selection extends from (LVM_GETSELECTIONMARK), or -1.
    int SelectionMark() const { return mark_; }
    void SetSelectionMark(int row) { mark_ = row; }

  private:
    struct Row {
        LPARAM param = 0;
        UINT state = 0;
    };
    // A text in the shared buffer.
    struct Cell {
        std::size_t offset = 0;
        std::size_t length = 0;
    };

    static std::size_t Index(int row) { return static_cast<std::size_t>(row); }
    // Texts per row: the list's columns, and column 0 when it has none.
    std::size_t Slots() const { return columns_ > 0 ? static_cast<std::size_t>(columns_) : 1; }
    Cell& CellAt(int row, int column);
    // Copies the live texts into a new buffer once most of it is replaced text.
    void CompactIfWasteful();

    std::vector<Row> rows_;
    std::vector<Cell> cells_;  // Slots() cells per row
    std::u16string texts_;
    std::size_t unused_ = 0;  // units of texts_ that no cell refers to any more
    int columns_ = 0;
    int focused_ = -1;
    int mark_ = -1;
};

}  // namespace mfc_detail
