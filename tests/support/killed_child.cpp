#include "tests/support/killed_child.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <string>
#include <thread>

#include "tests/support/temp_folder.h"

namespace tw_test {

bool RunInChild(const std::function<void()>& work,
                std::optional<std::chrono::microseconds> killAfter) {
    const pid_t child = ::fork();
    if (child < 0) {
        throw std::runtime_error("cannot fork");
    }
    if (child == 0) {
        work();
        ::_exit(0);
    }
    const auto deadline =
        std::chrono::steady_clock::now() + killAfter.value_or(std::chrono::seconds(10));
    int status = 0;
    pid_t ended = 0;
    while ((ended = ::waitpid(child, &status, WNOHANG)) == 0 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    }
    if (ended == 0) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
        return false;
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

std::string CheckKilledWriters(const std::string& name, const std::string& a, const std::string& b,
                               const std::function<void(int)>& write) {
    constexpr int kRounds = 30;
    for (int round = 0; round < kRounds; ++round) {
        RunInChild(
            [&write] {
                for (int i = 0;; ++i) {
                    write(i);
                }
            },
            std::chrono::microseconds(300 + 211 * round));
        for (const std::string& left : Names(".")) {
            if (left != name && left != name + ".tarnwell-new") {
                return "round " + std::to_string(round) + ": " + left + " left";
            }
            const std::string bytes = ReadBytes(left);
            if (bytes != a && bytes != b) {
                return "round " + std::to_string(round) + ": " + left + " torn";
            }
        }
    }
    return "";
}

}  // namespace tw_test
