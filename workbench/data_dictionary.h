// The Chinese literals of the host product's data-dictionary SQL script, offered for
// translation when the language is neither Simplified nor Traditional Chinese.
#pragma once

#include <list>
#include <string>
#include <vector>

#include "workbench/resource_entry.h"

class CTarnwellDlg;

// The literals of one line between pairs of apostrophes (there is no escape: '' closes
// one literal and opens the next) that hold at least one unit from U+4E00 to U+9FBB, in
// order; a literal still open at the end of the line is dropped.
std::vector<std::u16string> ExtractCjkLiterals(std::u16string line);

// Reads ".\data\data.sql" (code page 936) into the dialog's m_sqlLines and appends to
// list, numbered 1, 2, ... in file order, the entries of its Chinese literals that belong
// to the dialog's view (pending: no translation in ".\data\data.ini"; translated: one)
// and whose literal contains the filter.
void LoadDataDictionaryEntries(const std::u16string& filter, CTarnwellDlg& dialog,
                               std::list<ResourceEntry>& list);
