// Test helper: work run in a child process that may be killed part-way, as a power cut
// or a killed program would stop it.
#pragma once

#include <chrono>
#include <functional>
#include <optional>

namespace tw_test {

// Runs work in a forked child (which then ends at once, without running any exit
// handler). With a delay the child is killed (SIGKILL) that long after it started,
// unless it has ended; without one it is given up to ten seconds. True when the child
// ended of itself with status 0.
bool RunInChild(const std::function<void()>& work,
                std::optional<std::chrono::microseconds> killAfter);

}  // namespace tw_test
