#include "workbench/folder_listing.h"

#include <ace/OS_NS_dirent.h>

#include "foundation/byte_strings.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/native_path.h"

namespace {

bool IsFolder(const std::string& path) {
    crt::StatRecord status;
    return crt::_stat(path.c_str(), &status) == 0 &&
           (status.st_mode & crt::_S_IFMT) == crt::_S_IFDIR;
}

}  // namespace

int ListFiles(const std::string& pattern, const std::string& folder,
              std::vector<std::string>& names) {
    const std::string statusFolder = ReplaceAll(folder, "\\", "/");
    ACE_DIR* stream = ACE_OS::opendir(win32::NativePath(folder.c_str()).c_str());
    if (stream == nullptr) {
        return -1;
    }
    while (const ACE_DIRENT* entry = ACE_OS::readdir(stream)) {
        const std::string name = win32::NativeNameToAnsi(entry->d_name);
        if (!WildcardMatch(pattern, name) || IsFolder(statusFolder + "/" + name) ||
            name.starts_with('.')) {
            continue;
        }
        names.push_back(name);
    }
    ACE_OS::closedir(stream);
    return 0;
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
    const std::vector<std::string> tokens = SplitKeepDelimiters(ToLowerAscii(pattern), "*?");
    return MatchTokens(tokens, 0, ToLowerAscii(name), 0);
}

bool MatchTokens(const std::vector<std::string>& tokens, size_t first, const std::string& name,
                 size_t position) {
    if (first >= tokens.size()) {
        return position == name.size();
    }
    const std::string& token = tokens[first];
    if (token == "*") {
        for (size_t q = position; q <= name.size(); ++q) {
            if (MatchTokens(tokens, first + 1, name, q)) {
                return true;
            }
        }
        return false;
    }
    if (token == "?") {
        return position < name.size() && MatchTokens(tokens, first + 1, name, position + 1);
    }
    if (name.compare(position, token.size(), token) != 0) {
        return false;
    }
    return MatchTokens(tokens, first + 1, name, position + token.size());
}
