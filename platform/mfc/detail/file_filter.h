// The class library's file-type filter in the form of Qt's file dialog.
#pragma once

#include <string>
#include <vector>

namespace mfc_detail {

// "description|patterns|...||" (patterns joined by ";") to one Qt name filter per pair,
// "description (patterns)" with the patterns joined by blanks. Shown with the details
// hidden, the user sees each description as it was given. The list ends at the first
// empty description or pattern (the closing "||"), so an empty filter gives none.
std::vector<std::u16string> QtNameFilters(const std::u16string& filter);

}  // namespace mfc_detail
