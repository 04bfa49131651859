#include "foundation/staged_files.h"

#include "foundation/text_conversion.h"
#include "platform/win32/crt_file.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/file_ops.h"

namespace {

// The bytes in a new file of the path; false, with nothing left, when they cannot be.
bool WriteNew(const std::u16string& path, const std::string& bytes) {
    crt::FILE* file = crt::_wfopen(path.c_str(), u"wb");
    if (file == nullptr) {
        return false;
    }
    const bool written =
        bytes.empty() || crt::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (crt::fclose(file) == 0 && written) {
        return true;
    }
    crt::_unlink(GbkPath(path).c_str());
    return false;
}

}  // namespace

StagedFiles::~StagedFiles() {
    Drop();
}

void StagedFiles::Drop() {
    for (const Staged& staged : m_staged) {
        if (!staged.temporary.empty()) {
            crt::_unlink(GbkPath(staged.temporary).c_str());
        }
    }
    m_staged.clear();
}

FileWrite StagedFiles::Stage(const std::u16string& path, const std::string& bytes) {
    const bool exists = crt::_waccess(path.c_str(), 0) == 0;
    if (exists && crt::_waccess(path.c_str(), 2) != 0) {
        return FileWrite::kNotOpened;
    }
    Staged staged{path, path + u".tarnwell-new", {}, exists};
    if (!WriteNew(staged.temporary, bytes)) {
        if (!exists) {
            return FileWrite::kNotOpened;
        }
        staged.temporary.clear();  // a read-only folder: the file is rewritten in place
        staged.bytes = bytes;
    }
    m_staged.push_back(std::move(staged));
    return FileWrite::kStored;
}

bool StagedFiles::Commit() {
    bool all = true;
    for (Staged& staged : m_staged) {
        bool placed = false;
        if (staged.temporary.empty()) {
            placed = ReplaceFileBytes(staged.path, staged.bytes) == FileWrite::kStored;
        } else if (staged.existed) {
            placed = ReplaceFileW(staged.path.c_str(), staged.temporary.c_str(), nullptr, 0,
                                  nullptr, nullptr) != FALSE;
        } else {
            placed = MoveFileW(staged.temporary.c_str(), staged.path.c_str()) != FALSE;
        }
        if (placed) {
            staged.temporary.clear();
        }
        all = placed && all;
    }
    Drop();
    return all;
}
