// The language combo box 2876 of the main dialog. Each item's data is the address of a
// code text (const std::u16string) kept in the dialog's language table.
#pragma once

#include <string>

class CWnd;

// The code of the selected item; null when the dialog has no combo box, nothing is
// selected or the item carries no code.
const std::u16string* GetSelectedLanguageCode(const CWnd& dialog);

// Selects the first item whose code equals code exactly (case-sensitive). No such item,
// or no combo box, leaves the selection as it is.
void SelectLanguageByCode(const CWnd& dialog, const std::u16string& code);
