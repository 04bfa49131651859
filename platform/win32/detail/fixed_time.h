// The seam through which tests fix the time that _time64 reports.
#pragma once

#include <cstdint>
#include <optional>

namespace win32::detail {

// While it holds a time, _time64 reports that in place of the system clock. Not for
// concurrent use.
std::optional<std::int64_t>& FixedTime64();

}  // namespace win32::detail
