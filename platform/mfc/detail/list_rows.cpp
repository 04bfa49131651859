#include "platform/mfc/detail/list_rows.h"

#include <algorithm>
#include <functional>

namespace mfc_detail {
namespace {

// Replaced texts are copied out once they are most of the buffer and more than this.
constexpr std::size_t kCompactAbove = 1 << 16;

}  // namespace

int ListRows::Insert(int row) {
    const int at = std::clamp(row, 0, Count());
    if (at == Count()) {
        rows_.emplace_back();
        cells_.resize(cells_.size() + Slots());
    } else {
        rows_.insert(rows_.begin() + at, Row{});
        cells_.insert(cells_.begin() + static_cast<std::ptrdiff_t>(Index(at) * Slots()), Slots(),
                      Cell{});
    }
    if (focused_ >= at) {
        ++focused_;
    }
    if (mark_ >= at) {
        ++mark_;
    }
    return at;
}

void ListRows::Clear() {
    // The buffers keep their capacity: the next fill reuses them.
    rows_.clear();
    cells_.clear();
    texts_.clear();
    unused_ = 0;
    focused_ = -1;
    mark_ = -1;
}

void ListRows::InsertColumn(int column) {
    if (columns_ == 0) {
        columns_ = 1;
        return;
    }
    const std::size_t before = Slots();
    const auto at = static_cast<std::size_t>(std::clamp(column, 0, columns_));
    std::vector<Cell> cells;
    cells.reserve(rows_.size() * (before + 1));
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(row * before);
        cells.insert(cells.end(), first, first + static_cast<std::ptrdiff_t>(at));
        cells.push_back(Cell{});
        cells.insert(cells.end(), first + static_cast<std::ptrdiff_t>(at),
                     first + static_cast<std::ptrdiff_t>(before));
    }
    cells_ = std::move(cells);
    ++columns_;
}

ListRows::Cell& ListRows::CellAt(int row, int column) {
    return cells_[Index(row) * Slots() + static_cast<std::size_t>(column)];
}

std::u16string_view ListRows::Text(int row, int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= Slots()) {
        return {};
    }
    const Cell& cell = cells_[Index(row) * Slots() + static_cast<std::size_t>(column)];
    return std::u16string_view(texts_).substr(cell.offset, cell.length);
}

void ListRows::SetText(int row, int column, std::u16string_view text) {
    if (column < 0 || static_cast<std::size_t>(column) >= Slots()) {
        return;
    }
    const std::less<const char16_t*> before;
    if (!texts_.empty() && !before(text.data(), texts_.data()) &&
        before(text.data(), texts_.data() + texts_.size())) {
        // A text from this buffer: copied first, since appending may move the buffer.
        SetText(row, column, std::u16string(text));
        return;
    }
    Cell& cell = CellAt(row, column);
    if (text.size() <= cell.length) {
        text.copy(texts_.data() + cell.offset, text.size());
        unused_ += cell.length - text.size();
    } else {
        unused_ += cell.length;
        cell.offset = texts_.size();
        texts_.append(text);
    }
    cell.length = text.size();
    CompactIfWasteful();
}

void ListRows::CompactIfWasteful() {
    if (unused_ <= kCompactAbove || unused_ <= texts_.size() / 2) {
        return;
    }
    std::u16string texts;
    texts.reserve(texts_.size() - unused_);
    for (Cell& cell : cells_) {
        const std::size_t offset = texts.size();
        texts.append(texts_, cell.offset, cell.length);
        cell.offset = offset;
    }
    texts_ = std::move(texts);
    unused_ = 0;
}

void ListRows::SetState(int row, UINT state) {
    if ((state & LVIS_FOCUSED) != 0 && focused_ >= 0 && focused_ != row) {
        rows_[Index(focused_)].state &= ~LVIS_FOCUSED;
    }
    rows_[Index(row)].state = state;
    if ((state & LVIS_FOCUSED) != 0) {
        focused_ = row;
    } else if (focused_ == row) {
        focused_ = -1;
    }
}

}  // namespace mfc_detail
