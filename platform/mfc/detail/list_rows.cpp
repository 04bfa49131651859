#include "platform/mfc/detail/list_rows.h"

#include <algorithm>

namespace mfc_detail {

int ListRows::Insert(int row, ListRow item) {
    const int at = std::clamp(row, 0, Count());
    item.state = 0;
    rows_.insert(rows_.begin() + at, std::move(item));
    if (focused_ >= at) {
        ++focused_;
    }
    return at;
}

void ListRows::Clear() {
    rows_.clear();
    focused_ = -1;
}

void ListRows::SetState(int row, UINT state) {
    Row(row).state = state;
    if ((state & LVIS_FOCUSED) != 0) {
        focused_ = row;
    } else if (focused_ == row) {
        focused_ = -1;
    }
}

const std::u16string& ListRows::Text(int row, int column) const {
    static const std::u16string empty;
    const auto& texts = Row(row).texts;
    return column >= 0 && static_cast<std::size_t>(column) < texts.size()
               ? texts[static_cast<std::size_t>(column)]
               : empty;
}

void ListRows::SetText(int row, int column, std::u16string text) {
    auto& texts = Row(row).texts;
    if (texts.size() <= static_cast<std::size_t>(column)) {
        texts.resize(static_cast<std::size_t>(column) + 1);
    }
    texts[static_cast<std::size_t>(column)] = std::move(text);
}

}  // namespace mfc_detail
