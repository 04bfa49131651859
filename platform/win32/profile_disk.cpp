#include "platform/win32/detail/profile_disk.h"

#include <string_view>

namespace win32::detail {

FileSignature StatFile(const std::string& nativePath) {
    const EntryStatus status = StatEntry(nativePath);
    return status.directory ? FileSignature{} : status;
}

bool Vouches(const FileSignature& signature, FileTime readStart) {
    if (!signature.exists) {
        return true;
    }
    FileTime changed = signature.changed;
    // Whole seconds hint at a file system that keeps no finer times.
    if (changed.nanoseconds == 0 && signature.modified.nanoseconds == 0) {
        changed.seconds += 2;
    }
    return changed < readStart;
}

std::string AbsolutePath(const std::string& nativePath, const std::string& folder) {
    std::string joined;
    if (nativePath.empty() || nativePath.front() != '/') {
        joined = folder;
    }
    joined += '/';
    joined += nativePath;
    std::string absolute;
    size_t begin = 0;
    while (begin < joined.size()) {
        size_t end = joined.find('/', begin);
        if (end == std::string::npos) {
            end = joined.size();
        }
        const std::string_view part = std::string_view(joined).substr(begin, end - begin);
        if (!part.empty() && part != ".") {
            absolute += '/';
            absolute += part;
        }
        begin = end + 1;
    }
    return absolute.empty() ? "/" : absolute;
}

}  // namespace win32::detail
