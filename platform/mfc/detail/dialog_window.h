// A dialog window built from a template: its widget, its controls in template order and
// the dialog base units that turned the template's dialog units into pixels.
#pragma once

#include <memory>
#include <vector>

#include "platform/mfc/detail/window.h"
#include "platform/mfc/resource_module.h"

class QDialog;
class QEventLoop;

namespace mfc_detail {

class DialogWidget;

class DialogWindow : public HWND__ {
  public:
    // Creates the widget and every control, hidden; the caller shows it.
    explicit DialogWindow(const DialogTemplate& dialog);
    ~DialogWindow() override;

    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;
    HWND Child(int id) const override;

    // Dialog units to pixels: x * baseX / 4, y * baseY / 8, rounded.
    RECT MapDialogRect(const RECT& units) const;

    // Gives the focus to the first tab stop in template order.
    void FocusFirstTabStop();
    // The id that Enter sends when the focus is not on a push button.
    int DefaultId() const { return defaultId_; }

    // Runs the modal loop until EndDialog; returns its result.
    INT_PTR RunModal();
    // Ends the modal loop with the result, or hides a modeless dialog.
    void End(INT_PTR result);

  private:
    void CreateControls(const DialogTemplate& dialog);

    DialogWidget* dialog_;
    std::unique_ptr<QDialog> owner_;
    std::vector<std::unique_ptr<HWND__>> controls_;
    std::vector<DWORD> styles_;
    int baseX_ = 0;
    int baseY_ = 0;
    int defaultId_ = IDOK;
    HICON bigIcon_ = nullptr;
    HICON smallIcon_ = nullptr;
    INT_PTR result_ = 0;
    bool modal_ = false;
};

// Makes a dialog window from the template; it lives until DestroyWindowTree.
HWND CreateDialogWindow(const DialogTemplate& dialog);

}  // namespace mfc_detail
