#include "platform/mfc/detail/list_navigation.h"

#include <QChar>
#include <algorithm>
#include <tuple>

#include "platform/mfc/detail/list_rows.h"

namespace mfc_detail {
namespace {

constexpr UINT kBoth = LVIS_SELECTED | LVIS_FOCUSED;

// The row that a navigation key names.
int TargetRow(const ListRows& rows, ListKey key, ListPage page) {
    const int last = rows.Count() - 1;
    const int focused = rows.FocusedRow();
    const int bottom = page.top + page.rows - 1;
    switch (key) {
        case ListKey::Home:
            return 0;
        case ListKey::End:
            return last;
        case ListKey::Up:
            return focused < 0 ? 0 : std::max(focused - 1, 0);
        case ListKey::Down:
            return focused < 0 ? 0 : std::min(focused + 1, last);
        case ListKey::PageUp:
            // To the top of the page, or a page further up when already there.
            return focused < 0          ? 0
                   : focused > page.top ? page.top
                                        : std::max(focused - (page.rows - 1), 0);
        case ListKey::PageDown:
            return focused < 0        ? 0
                   : focused < bottom ? std::min(bottom, last)
                                      : std::min(focused + (page.rows - 1), last);
        case ListKey::Space:
            return focused;
    }
    return focused;
}

// Selects from the selection mark (or, without one, from the focused row) to row.
ListAction ExtendTo(const ListRows& rows, int row, bool add) {
    int anchor = rows.SelectionMark();
    if (!rows.Valid(anchor)) {
        anchor = rows.FocusedRow() >= 0 ? rows.FocusedRow() : row;
    }
    using Selection = ListAction::Selection;
    return ListAction{row, add ? Selection::Add : Selection::Only, anchor, row, anchor};
}

ListAction Act(const ListRows& rows, int row, ListModifiers modifiers) {
    using Selection = ListAction::Selection;
    if (modifiers.shift) {
        return ExtendTo(rows, row, modifiers.control);
    }
    if (modifiers.control) {
        return ListAction{row, Selection::Toggle, row, row, row};
    }
    return SelectAlone(row);
}

bool Selected(UINT state) {
    return (state & LVIS_SELECTED) != 0;
}

// The row's state after the action.
UINT StateAfter(const ListRows& rows, const ListAction& action, int row) {
    using Selection = ListAction::Selection;
    const UINT old = rows.State(row);
    const bool inRange =
        row >= std::min(action.first, action.last) && row <= std::max(action.first, action.last);
    bool selected = Selected(old);
    switch (action.selection) {
        case Selection::Keep:
            break;
        case Selection::Only:
            selected = inRange;
            break;
        case Selection::Add:
            selected = selected || inRange;
            break;
        case Selection::Toggle:
            selected = row == action.first ? !selected : selected;
            break;
        case Selection::Clear:
            selected = false;
            break;
    }
    bool focused = (old & LVIS_FOCUSED) != 0;
    if (action.focus >= 0) {
        focused = row == action.focus;
    }
    return (old & ~kBoth) | (selected ? LVIS_SELECTED : 0) | (focused ? LVIS_FOCUSED : 0);
}

// Losses first, then gains, the row that takes the focus last.
void InWindowsOrder(std::vector<ListChange>& changes) {
    const auto key = [](const ListChange& c) {
        const UINT gained = c.newState & ~c.oldState;
        return std::make_tuple(gained != 0, (gained & LVIS_FOCUSED) != 0, c.row);
    };
    std::stable_sort(changes.begin(), changes.end(),
                     [&](const ListChange& a, const ListChange& b) { return key(a) < key(b); });
}

bool StartsWithFolded(std::u16string_view text, std::u16string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefix.size(); ++i) {
        if (QChar::toCaseFolded(text[i]) != QChar::toCaseFolded(prefix[i])) {
            return false;
        }
    }
    return true;
}

int FindByPrefix(const ListRows& rows, std::u16string_view prefix, int start) {
    const int count = rows.Count();
    const int from = rows.Valid(start) ? start : 0;
    for (int k = 0; k < count; ++k) {
        const int row = (from + k) % count;
        if (StartsWithFolded(rows.Text(row, 0), prefix)) {
            return row;
        }
    }
    return -1;
}

}  // namespace

ListAction SelectAlone(int row) {
    return ListAction{row, ListAction::Selection::Only, row, row, row};
}

ListAction KeyAction(const ListRows& rows, ListKey key, ListModifiers modifiers, ListPage page) {
    if (rows.Count() == 0) {
        return {};
    }
    page.rows = std::max(page.rows, 1);
    const int row = TargetRow(rows, key, page);
    if (row < 0) {
        return {};  // Space without a focused row
    }
    if (modifiers.control && !modifiers.shift && key != ListKey::Space) {
        return ListAction{.focus = row};
    }
    return Act(rows, row, modifiers);
}

ListAction ClickAction(const ListRows& rows, int row, ListModifiers modifiers, bool rightButton) {
    if (!rows.Valid(row)) {
        const bool plain = !modifiers.shift && !modifiers.control;
        return plain && !rightButton ? ListAction{.selection = ListAction::Selection::Clear}
                                     : ListAction{};
    }
    if (rightButton) {
        return Selected(rows.State(row)) ? ListAction{.focus = row} : SelectAlone(row);
    }
    return Act(rows, row, modifiers);
}

int TypeAhead::Type(const ListRows& rows, std::u16string_view text, long long now) {
    if (text.empty()) {
        return -1;
    }
    if (now - last_ > kPause) {
        typed_.clear();
    }
    last_ = now;
    typed_ += text;
    const bool repeated = std::all_of(typed_.begin(), typed_.end(),
                                      [&](char16_t unit) { return unit == typed_.front(); });
    const int focused = rows.FocusedRow();
    if (repeated) {
        return FindByPrefix(rows, std::u16string_view(typed_).substr(0, 1), focused + 1);
    }
    return FindByPrefix(rows, typed_, std::max(focused, 0));
}

std::vector<ListChange> PlanAction(const ListRows& rows, const ListAction& action) {
    using Selection = ListAction::Selection;
    std::vector<int> candidates;
    if (action.selection == Selection::Only || action.selection == Selection::Clear) {
        candidates.resize(static_cast<std::size_t>(rows.Count()));
        for (int row = 0; row < rows.Count(); ++row) {
            candidates[static_cast<std::size_t>(row)] = row;
        }
    } else {
        if (action.selection == Selection::Add) {
            for (int row = std::min(action.first, action.last);
                 row <= std::max(action.first, action.last); ++row) {
                candidates.push_back(row);
            }
        }
        candidates.insert(candidates.end(), {action.first, rows.FocusedRow(), action.focus});
        std::sort(candidates.begin(), candidates.end());
        candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    }
    std::vector<ListChange> changes;
    for (const int row : candidates) {
        if (rows.Valid(row)) {
            const UINT after = StateAfter(rows, action, row);
            if (after != rows.State(row)) {
                changes.push_back({row, rows.State(row), after});
            }
        }
    }
    InWindowsOrder(changes);
    return changes;
}

std::vector<ListChange> PlanSetState(const ListRows& rows, int row, UINT state, UINT mask) {
    std::vector<ListChange> changes;
    if (!rows.Valid(row)) {
        return changes;
    }
    const UINT old = rows.State(row);
    const UINT now = (old & ~mask) | (state & mask);
    const int focused = rows.FocusedRow();
    if ((now & LVIS_FOCUSED) != 0 && focused >= 0 && focused != row) {
        const UINT was = rows.State(focused);
        changes.push_back({focused, was, was & ~LVIS_FOCUSED});
    }
    if (now != old) {
        changes.push_back({row, old, now});
    }
    return changes;
}

}  // namespace mfc_detail
