// The application object and the start-up that runs it. The program defines one global
// object derived from CWinApp; main() hands over to AfxWinMain, which calls its
// InitInstance, then ExitInstance, whose result is the process's exit status.
#pragma once

#include "platform/mfc/message_map.h"
#include "platform/mfc/window_types.h"

class CWnd;

// The runtime library's argument count; the program name counts as the first.
extern int __argc;

class CWinThread : public CCmdTarget {
  public:
    CWnd* m_pMainWnd = nullptr;

    // FALSE: the start-up goes straight to ExitInstance.
    virtual BOOL InitInstance();
    // The process's exit status.
    virtual int ExitInstance();
    // The message loop, for an InitInstance that returns TRUE.
    virtual int Run();
};

class CWinApp : public CWinThread {
  public:
    // Registers this object as the application; there is one at a time.
    CWinApp();
    ~CWinApp() override;

    // TRUE: the class library's own initialisation needs nothing here.
    BOOL InitInstance() override;

    // ID_HELP's standard handler. There is no help system here, so it does nothing.
    void OnHelp();

  protected:
    // The registry key for per-user settings. There is no registry here: nothing.
    void SetRegistryKey(const char16_t* key);
};

class CWinAppEx : public CWinApp {
  public:
    // The resource-smart-update flag has no effect here.
    explicit CWinAppEx(BOOL resourceSmartUpdate = FALSE);
};

// The application object, null when there is none.
CWinApp* AfxGetApp();

// Runs the application: remembers the module and the command line, then InitInstance,
// then Run (when InitInstance returned TRUE) and ExitInstance. Returns the exit status;
// 1 when there is no application object.
int AfxWinMain(HINSTANCE module, int argc, char** argv);

// Whether windows can be shown here: a display is named (DISPLAY, WAYLAND_DISPLAY) or
// QT_QPA_PLATFORM picks a platform. When not, says on stderr in one line how to start
// the program (on a desktop, or under xvfb-run) and returns false.
bool CanShowWindows();

// Common controls and control containment need no set-up here; both calls do nothing.
struct INITCOMMONCONTROLSEX {
    DWORD dwSize;
    DWORD dwICC;
};
inline constexpr DWORD ICC_WIN95_CLASSES = 0x000000FF;
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init);
void AfxEnableControlContainer();
