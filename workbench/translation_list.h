// Filling and selecting the rows of the translation list.
#pragma once

#include <list>

#include "platform/mfc/list_ctrl.h"
#include "workbench/resource_entry.h"

class CTarnwellDlg;

using EntryIterator = std::list<ResourceEntry>::iterator;

// Replaces every row by one row per entry from first up to last (excluded), in order;
// each row's item data is its entry's address, and the dialog's SetRowTexts writes it.
void FillResourceList(CTarnwellDlg& dialog, CListCtrl& list, EntryIterator first,
                      EntryIterator last);

// Selects and focuses the row (other selected rows stay selected), scrolls to it and
// tells the list's parent synchronously, as a selection change of that row, even when
// it was selected already. Row -1 applies this to every row in order.
void SelectListRow(CListCtrl& list, int row);
