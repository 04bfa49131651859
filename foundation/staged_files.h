// Several files given new bytes together, so that a kill leaves them all old or all new
// but for a short last pass. Paths are Windows-style and relative to the current
// directory. Each file is stored as ReplaceFileBytes stores it: Stage writes and syncs its
// temporary, Commit renames the temporaries over their files and then syncs each folder
// once.
#pragma once

#include <string>

#include "foundation/whole_file.h"

class StagedFiles {
  public:
    StagedFiles() = default;
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;
    // Whatever is staged and not committed is dropped: those files keep their old bytes.
    ~StagedFiles();

    // Prepares the file to take exactly these bytes at Commit; the file itself does not
    // change yet. kNotOpened: the file may not be written (read-only, missing folder);
    // kNotStored: the new bytes could not be put down (full disk). Either way nothing of
    // this file is staged and nothing is left behind.
    FileWrite Stage(const std::u16string& path, const std::string& bytes);

    // Gives every staged file its new bytes, in the order staged, in one quick pass.
    // False when one could not be put in place: it keeps its old bytes, every other file
    // is committed all the same. Nothing stays staged afterwards.
    bool Commit();

  private:
    win32::StagedStore m_store;
};
