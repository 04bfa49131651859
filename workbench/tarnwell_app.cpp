#include "workbench/tarnwell_app.h"

#include "generator/generate_resource_list.h"
#include "workbench/tarnwell_dlg.h"

CTarnwellApp theApp;

CTarnwellApp::CTarnwellApp() : CWinAppEx(TRUE) {}

CTarnwellApp::~CTarnwellApp() = default;

const AFX_MSGMAP* CTarnwellApp::GetMessageMap() const {
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_COMMAND(ID_HELP, &CWinApp::OnHelp),
    };
    static const AFX_MSGMAP map{CWinApp::GetMessageMap(), entries};
    return &map;
}

BOOL CTarnwellApp::InitInstance() {
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    CWinAppEx::InitInstance();
    AfxEnableControlContainer();
    SetRegistryKey(u"应用程序向导生成的本地应用程序");

    m_generatorFailed = false;
    if (__argc > 1) {
        m_generatorFailed = !GenerateResourceList();
    } else {
        CTarnwellDlg dialog;
        m_pMainWnd = &dialog;
        dialog.DoModal();
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

int CTarnwellApp::ExitInstance() {
    CWinAppEx::ExitInstance();
    return m_generatorFailed ? 1 : 0;
}
