#include "workbench/planned_files.h"

#include "foundation/staged_files.h"
#include "foundation/text_conversion.h"
#include "foundation/whole_file.h"
#include "platform/win32/crt_misc.h"

namespace {

// The stored bytes; nullopt in bytes for a missing file, false for one that cannot be read.
bool ReadStored(const std::u16string& path, std::optional<std::string>& bytes) {
    bytes.reset();
    if (crt::_waccess(path.c_str(), 0) != 0) {
        return true;
    }
    std::string stored;
    if (crt::_waccess(path.c_str(), 4) != 0 || !ReadFileBytes(path, stored)) {
        return false;
    }
    bytes = std::move(stored);
    return true;
}

// A file may be removed when it may be written and so may its folder.
bool MayRemove(const std::u16string& path) {
    const size_t slash = path.rfind(u'\\');
    const std::u16string folder = slash == std::u16string::npos ? u"." : path.substr(0, slash);
    return crt::_waccess(path.c_str(), 2) == 0 && crt::_waccess(folder.c_str(), 2) == 0;
}

bool RemoveFile(const std::u16string& path) {
    return crt::_unlink(GbkPath(path).c_str()) == 0 || crt::_waccess(path.c_str(), 0) != 0;
}

}  // namespace

PlannedFiles::File* PlannedFiles::Entry(const std::u16string& path) {
    if (const auto found = m_index.find(path); found != m_index.end()) {
        return &m_files[found->second];
    }
    std::optional<std::string> stored;
    if (!ReadStored(path, stored)) {
        return nullptr;
    }
    m_index.emplace(path, m_files.size());
    m_files.push_back({path, stored, std::move(stored)});
    return &m_files.back();
}

bool PlannedFiles::Read(const std::u16string& path, std::optional<std::string>& bytes) {
    const File* file = Entry(path);
    if (file == nullptr) {
        return false;
    }
    bytes = file->after;
    return true;
}

bool PlannedFiles::Write(const std::u16string& path, std::string bytes) {
    File* file = Entry(path);
    if (file == nullptr) {
        return false;
    }
    file->after = std::move(bytes);
    return true;
}

bool PlannedFiles::Remove(const std::u16string& path) {
    File* file = Entry(path);
    if (file == nullptr) {
        return false;
    }
    file->after.reset();
    return true;
}

PlannedFiles::Outcome PlannedFiles::Apply() {
    StagedFiles staged;
    for (const File& file : m_files) {
        if (!file.Changed()) {
            continue;
        }
        const bool ready = file.after ? staged.Stage(file.path, *file.after) == FileWrite::kStored
                                      : MayRemove(file.path);
        if (!ready) {
            return Outcome::kRefused;
        }
    }
    if (staged.Commit() && RemoveChanged()) {
        return Outcome::kDone;
    }
    RollBack();
    return Outcome::kRolledBack;
}

bool PlannedFiles::RemoveChanged() const {
    bool all = true;
    for (const File& file : m_files) {
        if (file.Changed() && !file.after) {
            all = RemoveFile(file.path) && all;
        }
    }
    return all;
}

// Best effort: every changed file back to its old bytes, those that were missing gone.
void PlannedFiles::RollBack() const {
    StagedFiles staged;
    for (const File& file : m_files) {
        if (file.Changed() && file.before) {
            staged.Stage(file.path, *file.before);
        }
    }
    staged.Commit();
    for (const File& file : m_files) {
        if (file.Changed() && !file.before) {
            RemoveFile(file.path);
        }
    }
}
