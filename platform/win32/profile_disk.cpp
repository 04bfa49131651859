#include "platform/win32/detail/profile_disk.h"

#include <limits.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <string_view>

namespace win32::detail {
namespace {

FileTime TimeOf(const timespec& time) {
    return {time.tv_sec, time.tv_nsec};
}

}  // namespace

FileSignature StatFile(const std::string& nativePath) {
    struct stat status {};
    if (::stat(nativePath.c_str(), &status) != 0 || S_ISDIR(status.st_mode)) {
        return {};
    }
    return {true,
            status.st_dev,
            status.st_ino,
            status.st_size,
            TimeOf(status.st_mtim),
            TimeOf(status.st_ctim),
            status.st_mode & 07777u};
}

FileTime FileClockNow() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME_COARSE, &now);
    return TimeOf(now);
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

std::string CurrentFolder() {
    char cwd[PATH_MAX];
    return ::getcwd(cwd, sizeof cwd) != nullptr ? cwd : "/";
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
