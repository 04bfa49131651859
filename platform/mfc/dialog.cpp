#include "platform/mfc/dialog.h"

#include <QWidget>

#include "platform/mfc/detail/dialog_window.h"
#include "platform/mfc/detail/gui_application.h"
#include "platform/mfc/resource_module.h"
#include "platform/mfc/winapp.h"

namespace {

mfc_detail::DialogWindow* DialogOf(HWND window) {
    return static_cast<mfc_detail::DialogWindow*>(window);
}

}  // namespace

CDialog::CDialog(UINT templateId, CWnd*) : m_nIDTemplate(templateId) {}

CDialog::~CDialog() {
    DestroyWindow();
}

const AFX_MSGMAP* CDialog::GetMessageMap() const {
    static const AFX_MSGMAP_ENTRY entries[] = {
        ON_WM_INITDIALOG(&CDialog::OnInitDialog),
        ON_COMMAND(IDOK, &CDialog::OnOK),
        ON_COMMAND(IDCANCEL, &CDialog::OnCancel),
    };
    static const AFX_MSGMAP map{CWnd::GetMessageMap(), entries};
    return &map;
}

BOOL CDialog::CreateWindowFromTemplate() {
    const DialogTemplate* dialog = FindDialogTemplate(AfxGetResourceHandle(), m_nIDTemplate);
    if (dialog == nullptr || m_hWnd != nullptr) {
        return FALSE;
    }
    mfc_detail::EnsureGuiApplication();
    HWND window = mfc_detail::CreateDialogWindow(*dialog);
    SubclassWindow(window);
    if (SendMessage(WM_INITDIALOG) != FALSE) {
        DialogOf(window)->FocusFirstTabStop();
    }
    return TRUE;
}

INT_PTR CDialog::DoModal() {
    if (!CreateWindowFromTemplate()) {
        return -1;
    }
    const INT_PTR result = DialogOf(m_hWnd)->RunModal();
    DestroyWindow();
    return result;
}

BOOL CDialog::Create() {
    if (!CreateWindowFromTemplate()) {
        return FALSE;
    }
    m_hWnd->widget->show();
    return TRUE;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (UpdateData(TRUE)) {
        EndDialog(IDOK);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::EndDialog(int result) {
    if (m_hWnd != nullptr) {
        DialogOf(m_hWnd)->End(result);
    }
}

void CDialog::MapDialogRect(RECT* rect) const {
    if (m_hWnd != nullptr) {
        *rect = DialogOf(m_hWnd)->MapDialogRect(*rect);
    }
}

bool CDialog::OnCmdMsg(UINT id, UINT code) {
    if (CWnd::OnCmdMsg(id, code)) {
        return true;
    }
    CWinApp* app = AfxGetApp();
    LRESULT ignored = 0;
    return app != nullptr && app->DispatchMessageMap(WM_COMMAND, code, id, 0, &ignored);
}
