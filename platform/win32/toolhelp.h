// Enumeration of the modules loaded into the process, as the Tool Help calls do it.
// A module is the program itself or a shared object the loader mapped; its name is the
// file name and its path the full path in Windows form (backslashes). Modules whose path
// does not fit MAX_PATH units are left out.
#pragma once

#include "platform/win32/win_types.h"

inline constexpr DWORD TH32CS_SNAPMODULE = 0x00000008;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);

struct MODULEENTRY32W {
    DWORD dwSize = 0;  // set to sizeof(MODULEENTRY32W) before the first query
    WCHAR szModule[256] = {};
    WCHAR szExePath[MAX_PATH] = {};
};

DWORD GetCurrentProcessId();

// A snapshot of the modules of this process (another process id fails with
// INVALID_HANDLE_VALUE), taken in load order.
HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
BOOL Module32FirstW(HANDLE snapshot, MODULEENTRY32W* entry);
BOOL Module32NextW(HANDLE snapshot, MODULEENTRY32W* entry);
BOOL CloseHandle(HANDLE handle);
