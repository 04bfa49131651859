#include "foundation/staged_files.h"

#include "platform/win32/native_path.h"

StagedFiles::~StagedFiles() = default;

FileWrite StagedFiles::Stage(const std::u16string& path, const std::string& bytes) {
    return FileWriteOf(m_store.Stage(win32::NativePath(path.c_str()), bytes));
}

bool StagedFiles::Commit() {
    return m_store.Commit();
}
