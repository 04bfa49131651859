#include "platform/mfc/detail/window.h"

#include <QString>
#include <QVariant>
#include <QWidget>

#include <algorithm>

#include "platform/mfc/wnd.h"

namespace {

constexpr char kWindowProperty[] = "tarnwell.hwnd";

}  // namespace

HWND__::HWND__(QWidget* w, HWND parentWindow, int controlId)
    : widget(w), parent(parentWindow), id(controlId) {
    widget->setProperty(kWindowProperty, QVariant::fromValue(static_cast<void*>(this)));
}

HWND__::~HWND__() {
    if (wrapper_) {
        wrapper_->m_hWnd = nullptr;
    }
    if (attached != nullptr) {
        attached->m_hWnd = nullptr;
    }
}

LRESULT HWND__::ClassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            SetText(reinterpret_cast<const char16_t*>(lParam));
            return TRUE;
        case WM_GETTEXT: {
            // Copies at most wParam - 1 units and a NUL; returns the units copied.
            if (wParam == 0) {
                return 0;
            }
            const std::u16string text = Text();
            const std::size_t n = std::min<std::size_t>(text.size(), wParam - 1);
            auto* buffer = reinterpret_cast<char16_t*>(lParam);
            text.copy(buffer, n);
            buffer[n] = u'\0';
            return static_cast<LRESULT>(n);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(Text().size());
        default:
            return 0;
    }
}

HWND HWND__::Child(int) const {
    return nullptr;
}

void HWND__::NotifyParent(WORD code) {
    SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), code),
                 reinterpret_cast<LPARAM>(this));
}

CWnd* HWND__::Wrapper() {
    if (!wrapper_) {
        wrapper_ = std::make_unique<CWnd>();
        wrapper_->m_hWnd = this;
    }
    return wrapper_.get();
}

namespace mfc_detail {

HWND WindowOfWidget(const QWidget* w) {
    for (; w != nullptr; w = w->parentWidget()) {
        const QVariant window = w->property(kWindowProperty);
        if (window.isValid()) {
            return static_cast<HWND>(window.value<void*>());
        }
    }
    return nullptr;
}

QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

std::u16string FromQString(const QString& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

}  // namespace mfc_detail
