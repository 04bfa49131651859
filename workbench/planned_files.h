// The files that one operation changes, gathered before any of them is touched, then put
// in place together: either every change is made or the files keep their old bytes.
// Paths are Windows-style and relative to the current directory; one file is always
// named by the same path.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

class PlannedFiles {
  public:
    // The file's bytes as planned so far, else as stored; nullopt for a missing file (or
    // one planned to be removed). False when an existing file cannot be read.
    bool Read(const std::u16string& path, std::optional<std::string>& bytes);

    // Plans the file to hold exactly these bytes, or to be gone. False when the file
    // exists and cannot be read: its old bytes would be lost on a way back.
    bool Write(const std::u16string& path, std::string bytes);
    bool Remove(const std::u16string& path);

    enum class Outcome {
        kDone,        // every file as planned
        kRefused,     // a file may not be written or removed: nothing was touched
        kRolledBack,  // putting them in place failed: the files were given their old bytes
    };
    // Stages every changed file's new bytes and checks every removal before the first
    // file changes, then puts them all in place in one quick pass, removals last.
    Outcome Apply();

  private:
    struct File {
        std::u16string path;
        std::optional<std::string> before;
        std::optional<std::string> after;
        bool Changed() const { return before != after; }
    };
    File* Entry(const std::u16string& path);  // null when the file cannot be read
    bool RemoveChanged() const;
    void RollBack() const;

    std::vector<File> m_files;  // in the order first planned
    std::map<std::u16string, size_t> m_index;
};
