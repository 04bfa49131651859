// A window as the window part keeps it: the Qt widget that shows it, its parent, its
// control id, the CWnd bound to it, and the default handling of its window class.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "platform/mfc/window_types.h"

class CWnd;
class QWidget;
class QString;

struct HWND__ {
    HWND__(QWidget* widget, HWND parent, int id);
    virtual ~HWND__();
    HWND__(const HWND__&) = delete;
    HWND__& operator=(const HWND__&) = delete;

    // The window class's handling of a message: WM_SETTEXT, WM_GETTEXT and
    // WM_GETTEXTLENGTH through Text and SetText, then the class's own messages.
    virtual LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual std::u16string Text() const = 0;
    virtual void SetText(const std::u16string& text) = 0;

    // The child control with that id; null when there is none (controls have none).
    virtual HWND Child(int id) const;

    // Sends WM_COMMAND with this control's id and the code to the parent.
    void NotifyParent(WORD code);

    // The plain CWnd of a window that no object is bound to.
    CWnd* Wrapper();

    QWidget* const widget;
    const HWND parent;
    const int id;
    CWnd* attached = nullptr;

  private:
    std::unique_ptr<CWnd> wrapper_;
};

namespace mfc_detail {

// The window that the widget shows, or null.
HWND WindowOfWidget(const QWidget* widget);
// Destroys the window, its children and its widgets; objects bound to them are unbound.
void DestroyWindowTree(HWND window);

QString ToQString(std::u16string_view text);
std::u16string FromQString(const QString& text);

}  // namespace mfc_detail
