// What the keys and clicks of a Windows report-view list do to its rows: which row takes
// the focus, which rows are selected and where the selection mark goes; and the state
// changes that follow, in the order in which a Windows list view reports them. Plain
// logic: the list view applies the changes and tells its parent.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/mfc/window_types.h"

namespace mfc_detail {

class ListRows;

// The effect of one input on the rows.
struct ListAction {
    enum class Selection {
        Keep,    // the selection stays as it is
        Only,    // exactly the rows from first to last are selected
        Add,     // the rows from first to last are selected as well
        Toggle,  // row first changes its selection
        Clear,   // no row is selected
    };
    int focus = -1;  // the row that takes the focus; -1: the focus stays
    Selection selection = Selection::Keep;
    int first = -1;
    int last = -1;
    int mark = -1;  // the new selection mark; -1: the mark stays
};

enum class ListKey { Up, Down, PageUp, PageDown, Home, End, Space };

struct ListModifiers {
    bool shift = false;
    bool control = false;
};

// The rows that the view shows whole: the first of them and how many (at least 1).
struct ListPage {
    int top = 0;
    int rows = 1;
};

// A navigation key selects the row it names (the first row while no row has the focus),
// with Ctrl it only moves the focus, with Shift it selects from the selection mark to
// that row. Space selects the focused row, Ctrl+Space toggles it.
ListAction KeyAction(const ListRows& rows, ListKey key, ListModifiers modifiers, ListPage page);

// A press of the left button on row (-1: below the rows or beside the columns): the row
// alone is selected; Ctrl toggles it, Shift selects from the selection mark to it; a
// plain press beside the rows clears the selection. The right button selects an
// unselected row the same way and only moves the focus onto a selected one.
ListAction ClickAction(const ListRows& rows, int row, ListModifiers modifiers, bool rightButton);

// The row alone selected and focused, as by a click on it.
ListAction SelectAlone(int row);

// Characters typed in quick succession form a prefix; the row selected is the first
// from the focused one on (wrapping) whose first column begins with it, regardless of
// case. The same character typed again and again steps through the rows beginning
// with it.
class TypeAhead {
  public:
    // A pause longer than this (milliseconds) starts a new prefix: twice Windows'
    // default double-click time, as a Windows list view waits.
    static constexpr long long kPause = 1000;

    // The row for the typed text at time now (milliseconds); -1 for none.
    int Type(const ListRows& rows, std::u16string_view text, long long now);

  private:
    std::u16string typed_;
    long long last_ = 0;
};

// One row's state bits before and after.
struct ListChange {
    int row;
    UINT oldState;
    UINT newState;
    bool operator==(const ListChange&) const = default;
};

// The changes that the action makes: rows that only lose state bits first, then rows
// that gain, the row that takes the focus last; in row order within each.
std::vector<ListChange> PlanAction(const ListRows& rows, const ListAction& action);

// The changes of setting the masked state bits of one row by code: the row that loses
// the focus to it first.
std::vector<ListChange> PlanSetState(const ListRows& rows, int row, UINT state, UINT mask);

}  // namespace mfc_detail
