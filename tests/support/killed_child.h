// Test helper: work run in a child process that may be killed part-way, as a power cut
// or a killed program would stop it.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace tw_test {

// Runs work in a forked child (which then ends at once, without running any exit
// handler). With a delay the child is killed (SIGKILL) that long after it started,
// unless it has ended; without one it is given up to ten seconds. True when the child
// ended of itself with status 0.
bool RunInChild(const std::function<void()>& work,
                std::optional<std::chrono::microseconds> killAfter);

// Runs writers in children that call write(i) for i = 0, 1, 2, ... until they are killed at moments
// spread over the rounds; write(i) gives the file `name` in the current folder the
// content a for even i, b for odd. After each kill the file must hold a or b whole, and
// nothing but the file and its whole temporary ("<name>.tarnwell-new") may be beside
// it. Empty when so, else what was found.
std::string CheckKilledWriters(const std::string& name, const std::string& a, const std::string& b,
                               const std::function<void(int)>& write);

}  // namespace tw_test
