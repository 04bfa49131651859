#include "platform/mfc/detail/file_filter.h"

#include <algorithm>

namespace mfc_detail {
namespace {

// The "|"-separated fields; the empty fields of the closing "||" included.
std::vector<std::u16string> Fields(const std::u16string& filter) {
    std::vector<std::u16string> fields;
    std::u16string::size_type start = 0;
    for (;;) {
        const auto bar = filter.find(u'|', start);
        fields.push_back(filter.substr(start, bar - start));
        if (bar == std::u16string::npos) {
            return fields;
        }
        start = bar + 1;
    }
}

}  // namespace

std::vector<std::u16string> QtNameFilters(const std::u16string& filter) {
    const std::vector<std::u16string> fields = Fields(filter);
    std::vector<std::u16string> filters;
    // The list ends at the first empty description or pattern, as the "||" ends it.
    for (std::size_t i = 0; i + 1 < fields.size(); i += 2) {
        const std::u16string& description = fields[i];
        std::u16string patterns = fields[i + 1];
        if (description.empty() || patterns.empty()) {
            break;
        }
        std::replace(patterns.begin(), patterns.end(), u';', u' ');
        filters.push_back(description + u" (" + patterns + u")");
    }
    return filters;
}

}  // namespace mfc_detail
