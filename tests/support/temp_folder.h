// Test helpers: a fresh folder made the current directory for one test, and small
// file helpers that go straight to the native file system.
#pragma once

#include <filesystem>
#include <functional>
#include <set>
#include <string>

namespace tw_test {

// Creates an empty folder, enters it, and on destruction returns to the previous
// directory and removes the folder with everything in it.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path previous_;
    std::filesystem::path path_;
};

// Native (UTF-8) paths relative to the current directory.
std::string ReadBytes(const std::filesystem::path& path);
void WriteBytes(const std::filesystem::path& path, const std::string& bytes);

// Removes every write bit of the entry (read-only, as the platform layer sees it).
void MakeReadOnly(const std::filesystem::path& path);

// The names of the folder's entries.
std::set<std::string> Names(const std::filesystem::path& folder);

// Forks writers that call write(i) for i = 0, 1, 2, ... until they are killed at moments
// spread over the rounds; write(i) gives the file `name` in the current folder the
// content a for even i, b for odd. After each kill the file must hold a or b whole, and
// nothing but the file and its whole temporary ("<name>.tarnwell-new") may be beside
// it. Empty when so, else what was found.
std::string CheckKilledWriters(const std::string& name, const std::string& a, const std::string& b,
                               const std::function<void(int)>& write);

}  // namespace tw_test
