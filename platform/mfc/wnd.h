// The class library's window class and its data exchange. A CWnd is bound to a window
// (m_hWnd); messages sent to the window go through the object's message map first, then
// to the window's own default handling.
#pragma once

#include "platform/mfc/cstring.h"
#include "platform/mfc/message_map.h"
#include "platform/mfc/window_types.h"

class CDataExchange;

class CWnd : public CCmdTarget {
  public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    // Lets go of a window still bound; the window stays.
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object bound to the window, or the window's own plain CWnd; null for no window.
    static CWnd* FromHandle(HWND window);

    // Binds this object to an existing window, so that its messages pass through this
    // object's map. FALSE when this object or the window is bound already.
    BOOL SubclassWindow(HWND window);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The child control with that id, null when there is none.
    CWnd* GetDlgItem(int id) const;
    int GetDlgCtrlID() const;
    // The window that holds this control; null for the dialog itself.
    CWnd* GetParent() const;

    void SetWindowText(const char16_t* text);
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;

    // Gives the window the keyboard focus; returns the window that had it, or null.
    CWnd* SetFocus();
    BOOL IsIconic() const;
    void GetClientRect(RECT* rect) const;
    // WM_SETICON; returns the icon set before.
    HICON SetIcon(HICON icon, BOOL bigIcon);

    // Runs DoDataExchange in the given direction (TRUE: controls to members).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* dx);

    // Destroys the window and its children; the objects bound to them stay, unbound.
    BOOL DestroyWindow();

    // The message map, then for WM_COMMAND the command route, then DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Looks a command up in the map chain; CDialog also asks the application.
    virtual bool OnCmdMsg(UINT id, UINT code);

  protected:
    // The window's own handling of the message, bypassing the map.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // DefWindowProc of the message being handled.
    LRESULT Default();
    // WM_PAINT's default handling.
    void OnPaint();

  private:
    struct Message {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    Message m_current{0, 0, 0};
};

// Sends the message to the window and returns its result; 0 for a null window. Messages
// to a window bound to a CWnd pass through AfxCallWndProc.
LRESULT SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Runs the object's WindowProc; a CException or standard exception that leaves it is
// shown in an error box (the window stays usable) and the message's result is 0.
LRESULT AfxCallWndProc(CWnd& wnd, UINT message, WPARAM wParam, LPARAM lParam);

class CDataExchange {
  public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;  // TRUE: from the controls into the members
    CWnd* m_pDlgWnd;
};

// Check box id <-> value (BST_UNCHECKED or BST_CHECKED).
void DDX_Check(CDataExchange* dx, int id, int& value);
// Binds control to the child window id, the first time only.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
