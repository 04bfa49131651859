#include "platform/mfc/detail/dialog_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QPainter>
#include <map>

#include "platform/mfc/detail/controls.h"
#include "platform/mfc/detail/dialog_font.h"
#include "platform/mfc/detail/icon.h"
#include "platform/mfc/detail/list_view.h"
#include "platform/mfc/wnd.h"

namespace mfc_detail {

// The dialog's widget: Enter, Esc and the close box become commands, and painting goes
// through WM_PAINT.
class DialogWidget : public QDialog {
  public:
    void SetWindow(DialogWindow* window) { window_ = window; }
    void BasePaint() {
        if (paintEvent_ != nullptr) {
            QDialog::paintEvent(paintEvent_);
        }
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        // Shift changes nothing, as in a Windows dialog; Ctrl and Alt keep the key.
        const bool plain =
            (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
        if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
            SendCommand(window_->DefaultId());
        } else if (plain && event->key() == Qt::Key_Escape) {
            SendCommand(IDCANCEL);
        } else {
            QWidget::keyPressEvent(event);
        }
    }
    void closeEvent(QCloseEvent* event) override {
        event->ignore();
        SendCommand(IDCANCEL);
    }
    void reject() override { SendCommand(IDCANCEL); }
    void paintEvent(QPaintEvent* event) override {
        QPaintEvent* outer = std::exchange(paintEvent_, event);
        SendMessageW(window_, WM_PAINT, 0, 0);
        paintEvent_ = outer;
    }

  private:
    void SendCommand(int id) {
        SendMessageW(window_, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                     reinterpret_cast<LPARAM>(window_->Child(id)));
    }

    DialogWindow* window_ = nullptr;
    QPaintEvent* paintEvent_ = nullptr;
};

namespace {

std::map<HWND, std::unique_ptr<DialogWindow>>& TopLevelWindows() {
    static std::map<HWND, std::unique_ptr<DialogWindow>> windows;
    return windows;
}

std::unique_ptr<HWND__> MakeControl(QWidget* parent, HWND parentWindow, const ControlTemplate& c,
                                    int lineHeight) {
    switch (c.kind) {
        case ControlClass::Button:
            return std::make_unique<ButtonWindow>(parent, parentWindow, c.id, c.style);
        case ControlClass::Edit:
            return std::make_unique<EditWindow>(parent, parentWindow, c.id, c.style);
        case ControlClass::Static:
            return std::make_unique<StaticWindow>(parent, parentWindow, c.id, c.style, lineHeight);
        case ControlClass::ComboBox:
            return std::make_unique<ComboBoxWindow>(parent, parentWindow, c.id, c.style);
        case ControlClass::ListView:
            return std::make_unique<ListViewWindow>(parent, parentWindow, c.id, c.style);
    }
    return nullptr;
}

Qt::WindowFlags FlagsOf(DWORD style) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint;
    if ((style & WS_CAPTION) == WS_CAPTION) {
        flags |= Qt::WindowTitleHint;
    }
    if ((style & WS_SYSMENU) != 0) {
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    }
    return flags;
}

}  // namespace

DialogWindow::DialogWindow(const DialogTemplate& dialog)
    : HWND__(new DialogWidget, nullptr, 0), dialog_(static_cast<DialogWidget*>(widget)) {
    owner_.reset(dialog_);
    dialog_->SetWindow(this);
    const DialogFont font = MakeDialogFont(dialog.fontFace, dialog.pointSize);
    dialog_->setFont(font.font);
    baseX_ = font.baseX;
    baseY_ = font.baseY;
    dialog_->setWindowFlags(FlagsOf(dialog.style));
    dialog_->setWindowTitle(ToQString(dialog.caption));
    dialog_->setFixedSize(MulDiv(dialog.cx, baseX_, 4), MulDiv(dialog.cy, baseY_, 8));
    CreateControls(dialog);
}

DialogWindow::~DialogWindow() {
    owner_.reset();
    controls_.clear();
}

void DialogWindow::CreateControls(const DialogTemplate& dialog) {
    QWidget* previousTabStop = nullptr;
    for (const ControlTemplate& c : dialog.controls) {
        std::unique_ptr<HWND__> control = MakeControl(dialog_, this, c, baseY_);
        QWidget* w = control->widget;
        if (c.text != nullptr) {
            control->SetText(c.text);
        }
        const RECT pixels = MapDialogRect(RECT{c.x, c.y, c.x + c.cx, c.y + c.cy});
        int height = MulDiv(c.cy, baseY_, 8);
        if (c.kind == ControlClass::ComboBox) {
            // The template's height includes the drop-down list.
            height = std::min(height, w->sizeHint().height());
        }
        w->setGeometry(pixels.left, pixels.top, MulDiv(c.cx, baseX_, 4), height);
        // The first control lies on top, as in a Windows dialog.
        w->lower();
        const bool tabStop = (c.style & WS_TABSTOP) != 0;
        if (tabStop) {
            w->setFocusPolicy(Qt::StrongFocus);
            if (previousTabStop != nullptr) {
                QWidget::setTabOrder(previousTabStop, w);
            }
            previousTabStop = w;
        } else if (c.kind == ControlClass::Static ||
                   (c.kind == ControlClass::Button && (c.style & BS_TYPEMASK) == BS_GROUPBOX)) {
            w->setFocusPolicy(Qt::NoFocus);
        } else {
            w->setFocusPolicy(Qt::ClickFocus);
        }
        if ((c.style & WS_VISIBLE) == 0) {
            w->setVisible(false);
        }
        if (c.kind == ControlClass::Button && (c.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON &&
            defaultId_ == IDOK) {
            defaultId_ = c.id;
        }
        styles_.push_back(c.style);
        controls_.push_back(std::move(control));
    }
}

LRESULT DialogWindow::ClassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETICON: {
            HICON& slot = wParam == ICON_BIG ? bigIcon_ : smallIcon_;
            HICON previous = std::exchange(slot, reinterpret_cast<HICON>(lParam));
            HICON shown = bigIcon_ != nullptr ? bigIcon_ : smallIcon_;
            dialog_->setWindowIcon(shown != nullptr ? shown->Icon() : QIcon());
            return reinterpret_cast<LRESULT>(previous);
        }
        case WM_GETICON:
            return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? bigIcon_ : smallIcon_);
        case WM_PAINT:
            dialog_->BasePaint();
            return 0;
        case WM_ICONERASEBKGND: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            if (dc != nullptr) {
                dc->painter->fillRect(dialog_->rect(), dialog_->palette().window());
            }
            return TRUE;
        }
        case WM_INITDIALOG:
            return TRUE;
        default:
            return HWND__::ClassProc(message, wParam, lParam);
    }
}

std::u16string DialogWindow::Text() const {
    return FromQString(dialog_->windowTitle());
}

void DialogWindow::SetText(const std::u16string& text) {
    dialog_->setWindowTitle(ToQString(text));
}

HWND DialogWindow::Child(int childId) const {
    for (const auto& control : controls_) {
        if (control->id == childId) {
            return control.get();
        }
    }
    return nullptr;
}

RECT DialogWindow::MapDialogRect(const RECT& units) const {
    return RECT{MulDiv(units.left, baseX_, 4), MulDiv(units.top, baseY_, 8),
                MulDiv(units.right, baseX_, 4), MulDiv(units.bottom, baseY_, 8)};
}

void DialogWindow::FocusFirstTabStop() {
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if ((styles_[i] & WS_TABSTOP) != 0 && (styles_[i] & WS_VISIBLE) != 0) {
            controls_[i]->widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

INT_PTR DialogWindow::RunModal() {
    modal_ = true;
    dialog_->exec();
    modal_ = false;
    return result_;
}

void DialogWindow::End(INT_PTR result) {
    result_ = result;
    if (modal_) {
        dialog_->done(static_cast<int>(result));
    } else {
        dialog_->hide();
    }
}

HWND CreateDialogWindow(const DialogTemplate& dialog) {
    auto window = std::make_unique<DialogWindow>(dialog);
    HWND handle = window.get();
    TopLevelWindows().emplace(handle, std::move(window));
    return handle;
}

void DestroyWindowTree(HWND window) {
    TopLevelWindows().erase(window);
}

}  // namespace mfc_detail
