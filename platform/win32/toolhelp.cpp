#include "platform/win32/toolhelp.h"

#include <limits.h>
#include <link.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "platform/win32/native_path.h"

namespace {

struct Snapshot {
    std::vector<std::string> paths;  // native, absolute
    size_t next = 0;
};

std::string Absolute(const char* path) {
    char resolved[PATH_MAX];
    return ::realpath(path, resolved) != nullptr ? resolved : path;
}

int CollectModule(dl_phdr_info* info, size_t, void* data) {
    auto* paths = static_cast<std::vector<std::string>*>(data);
    if (info->dlpi_name != nullptr && info->dlpi_name[0] != '\0') {
        paths->push_back(Absolute(info->dlpi_name));
    } else if (paths->empty()) {
        paths->push_back(Absolute("/proc/self/exe"));
    }
    return 0;
}

template <size_t N>
bool CopyUnits(const std::u16string& text, WCHAR (&field)[N]) {
    if (text.size() >= N) {
        return false;
    }
    std::fill(std::begin(field), std::end(field), u'\0');
    std::copy(text.begin(), text.end(), field);
    return true;
}

BOOL Deliver(HANDLE handle, MODULEENTRY32W* entry) {
    auto* snapshot = static_cast<Snapshot*>(handle);
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr || entry == nullptr ||
        entry->dwSize != sizeof(MODULEENTRY32W)) {
        return FALSE;
    }
    while (snapshot->next < snapshot->paths.size()) {
        const std::u16string path = win32::NativePathToWide(snapshot->paths[snapshot->next++]);
        const std::u16string name = path.substr(path.find_last_of(u'\\') + 1);
        if (CopyUnits(path, entry->szExePath) && CopyUnits(name, entry->szModule)) {
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(::getpid());
}

HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId) {
    if ((flags & TH32CS_SNAPMODULE) == 0 ||
        (processId != 0 && processId != GetCurrentProcessId())) {
        return INVALID_HANDLE_VALUE;
    }
    auto snapshot = std::make_unique<Snapshot>();
    dl_iterate_phdr(CollectModule, &snapshot->paths);
    return snapshot.release();
}

BOOL Module32FirstW(HANDLE snapshot, MODULEENTRY32W* entry) {
    if (snapshot != INVALID_HANDLE_VALUE && snapshot != nullptr) {
        static_cast<Snapshot*>(snapshot)->next = 0;
    }
    return Deliver(snapshot, entry);
}

BOOL Module32NextW(HANDLE snapshot, MODULEENTRY32W* entry) {
    return Deliver(snapshot, entry);
}

BOOL CloseHandle(HANDLE handle) {
    if (handle == INVALID_HANDLE_VALUE || handle == nullptr) {
        return FALSE;
    }
    delete static_cast<Snapshot*>(handle);
    return TRUE;
}
