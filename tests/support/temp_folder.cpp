#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace tw_test {

TempFolder::TempFolder() : previous_(fs::current_path()) {
    std::string pattern = (fs::temp_directory_path() / "tarnwell-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a temporary folder");
    }
    path_ = pattern;
    fs::current_path(path_);
}

TempFolder::~TempFolder() {
    fs::current_path(previous_);
    std::error_code ignored;
    for (const auto& entry : fs::recursive_directory_iterator(path_, ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    }
    fs::remove_all(path_, ignored);
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
    if (path.has_parent_path()) {
        fs::create_directories(path.parent_path());
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

void MakeReadOnly(const fs::path& path) {
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

std::string CheckKilledWriters(const std::string& name, const std::string& a, const std::string& b,
                               const std::function<void(int)>& write) {
    constexpr int kRounds = 30;
    for (int round = 0; round < kRounds; ++round) {
        const pid_t writer = ::fork();
        if (writer < 0) {
            return "no fork";
        }
        if (writer == 0) {
            for (int i = 0;; ++i) {
                write(i);
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(300 + 211 * round));
        ::kill(writer, SIGKILL);
        ::waitpid(writer, nullptr, 0);
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
