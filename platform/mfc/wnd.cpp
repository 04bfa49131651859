#include "platform/mfc/wnd.h"

#include <QApplication>
#include <QWidget>

#include "platform/mfc/detail/exception_report.h"
#include "platform/mfc/detail/window.h"

CWnd::~CWnd() {
    if (m_hWnd != nullptr && m_hWnd->attached == this) {
        m_hWnd->attached = nullptr;
    }
}

CWnd* CWnd::FromHandle(HWND window) {
    if (window == nullptr) {
        return nullptr;
    }
    return window->attached != nullptr ? window->attached : window->Wrapper();
}

BOOL CWnd::SubclassWindow(HWND window) {
    if (window == nullptr || m_hWnd != nullptr || window->attached != nullptr) {
        return FALSE;
    }
    window->attached = this;
    m_hWnd = window;
    return TRUE;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(m_hWnd, message, wParam, lParam);
}

CWnd* CWnd::GetDlgItem(int id) const {
    return m_hWnd != nullptr ? FromHandle(m_hWnd->Child(id)) : nullptr;
}

CWnd* CWnd::GetParent() const {
    return m_hWnd != nullptr ? FromHandle(m_hWnd->parent) : nullptr;
}

int CWnd::GetDlgCtrlID() const {
    return m_hWnd != nullptr ? m_hWnd->id : 0;
}

void CWnd::SetWindowText(const char16_t* text) {
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : u""));
}

void CWnd::GetWindowText(CString& text) const {
    const auto length = static_cast<std::size_t>(GetWindowTextLength());
    std::u16string buffer(length + 1, u'\0');
    const auto got = static_cast<std::size_t>(
        SendMessage(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data())));
    buffer.resize(got);
    text = CString(std::move(buffer));
}

int CWnd::GetWindowTextLength() const {
    return static_cast<int>(SendMessage(WM_GETTEXTLENGTH, 0, 0));
}

CWnd* CWnd::SetFocus() {
    if (m_hWnd == nullptr) {
        return nullptr;
    }
    QWidget* previous = QApplication::focusWidget();
    m_hWnd->widget->setFocus(Qt::OtherFocusReason);
    return FromHandle(mfc_detail::WindowOfWidget(previous));
}

BOOL CWnd::IsIconic() const {
    return m_hWnd != nullptr && m_hWnd->widget->isMinimized();
}

void CWnd::GetClientRect(RECT* rect) const {
    *rect = RECT{};
    if (m_hWnd != nullptr) {
        rect->right = m_hWnd->widget->width();
        rect->bottom = m_hWnd->widget->height();
    }
}

HICON CWnd::SetIcon(HICON icon, BOOL bigIcon) {
    return reinterpret_cast<HICON>(
        SendMessage(WM_SETICON, bigIcon ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    mfc_detail::DestroyWindowTree(m_hWnd);
    m_hWnd = nullptr;
    return TRUE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const Message outer = m_current;
    m_current = Message{message, wParam, lParam};
    LRESULT result = 0;
    bool handled = false;
    if (message == WM_COMMAND) {
        handled = OnCmdMsg(LOWORD(wParam), HIWORD(wParam));
    } else if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        handled = DispatchMessageMap(message, header->code, static_cast<UINT>(header->idFrom),
                                     lParam, &result);
    } else {
        handled = DispatchMessageMap(message, 0, 0, lParam, &result);
    }
    if (!handled) {
        result = DefWindowProc(message, wParam, lParam);
    }
    m_current = outer;
    return result;
}

bool CWnd::OnCmdMsg(UINT id, UINT code) {
    LRESULT ignored = 0;
    return DispatchMessageMap(WM_COMMAND, code, id, 0, &ignored);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_hWnd != nullptr ? m_hWnd->ClassProc(message, wParam, lParam) : 0;
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

void CWnd::OnPaint() {
    Default();
}

LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == nullptr) {
        return 0;
    }
    if (window->attached != nullptr) {
        return AfxCallWndProc(*window->attached, message, wParam, lParam);
    }
    return window->ClassProc(message, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return wnd.WindowProc(message, wParam, lParam);
    } catch (...) {
        mfc_detail::ReportCurrentException();
        return 0;
    }
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    CWnd* control = dx->m_pDlgWnd->GetDlgItem(id);
    if (control == nullptr) {
        return;
    }
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(control->SendMessage(BM_GETCHECK));
    } else {
        control->SendMessage(BM_SETCHECK, static_cast<WPARAM>(value));
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd != nullptr || dx->m_pDlgWnd->m_hWnd == nullptr) {
        return;
    }
    control.SubclassWindow(dx->m_pDlgWnd->m_hWnd->Child(id));
}
