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

}  // namespace tw_test
