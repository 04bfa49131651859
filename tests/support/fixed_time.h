// Fixes the time that _time64 reports, for its lifetime.
#pragma once

#include <cstdint>

#include "platform/win32/detail/fixed_time.h"

class ScopedFixedTime64 {
  public:
    explicit ScopedFixedTime64(std::int64_t seconds) { win32::detail::FixedTime64() = seconds; }
    ~ScopedFixedTime64() { win32::detail::FixedTime64().reset(); }
    ScopedFixedTime64(const ScopedFixedTime64&) = delete;
    ScopedFixedTime64& operator=(const ScopedFixedTime64&) = delete;
};
