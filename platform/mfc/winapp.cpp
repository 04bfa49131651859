#include "platform/mfc/winapp.h"

#include <QApplication>

#include "platform/mfc/detail/gui_application.h"
#include "platform/mfc/resource_module.h"
#include "platform/mfc/wnd.h"

int __argc = 0;

namespace {

CWinApp* g_application = nullptr;

}  // namespace

BOOL CWinThread::InitInstance() {
    return FALSE;
}

int CWinThread::ExitInstance() {
    return 0;
}

int CWinThread::Run() {
    mfc_detail::EnsureGuiApplication();
    QApplication::exec();
    return ExitInstance();
}

CWinApp::CWinApp() {
    g_application = this;
}

CWinApp::~CWinApp() {
    if (g_application == this) {
        g_application = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

void CWinApp::OnHelp() {}

void CWinApp::SetRegistryKey(const char16_t*) {}

CWinAppEx::CWinAppEx(BOOL) {}

CWinApp* AfxGetApp() {
    return g_application;
}

int AfxWinMain(HINSTANCE module, int argc, char** argv) {
    __argc = argc;
    AfxSetResourceHandle(module);
    mfc_detail::SetGuiArguments(argc, argv);
    CWinApp* app = AfxGetApp();
    if (app == nullptr) {
        return 1;
    }
    const int status = app->InitInstance() ? app->Run() : app->ExitInstance();
    mfc_detail::ReleaseGuiApplication();
    return status;
}

bool CanShowWindows() {
    if (mfc_detail::DisplayNamed()) {
        return true;
    }
    mfc_detail::ReportNoDisplay();
    return false;
}

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX*) {
    return TRUE;
}

void AfxEnableControlContainer() {}
