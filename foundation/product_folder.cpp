#include "foundation/product_folder.h"

#include "foundation/byte_strings.h"
#include "platform/mfc/cstring.h"
#include "platform/win32/crt_misc.h"
#include "platform/win32/toolhelp.h"

std::u16string GetModulePathByName(const std::u16string& name) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, GetCurrentProcessId());
    const std::u16string wanted = ToLowerWide(name);
    MODULEENTRY32W entry;
    entry.dwSize = sizeof(MODULEENTRY32W);
    std::u16string path;
    for (BOOL more = Module32FirstW(snapshot, &entry); more;
         more = Module32NextW(snapshot, &entry)) {
        if (ToLowerWide(entry.szModule) == wanted) {
            path = entry.szExePath;
            break;
        }
    }
    CloseHandle(snapshot);
    return path;
}

std::u16string GetProductFolder() {
    const std::u16string path = GetModulePathByName(u"ACE.dll");
    const size_t slash = path.rfind(u'\\');
    return slash == std::u16string::npos ? path : path.substr(0, slash);
}

void RestoreWorkingFolder() {
    CString folder(GetProductFolder());
    folder.Replace(u"/", u"\\");
    crt::_wchdir(folder);
}

std::u16string MakeBackupPath(const std::u16string& path) {
    return path + u".bak";
}
