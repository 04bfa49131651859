// The standard controls: buttons (push, default, check box, group box), edits (single
// and multi-line), static texts and frames, and drop-down-list combo boxes.
#pragma once

#include "platform/mfc/detail/window.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace mfc_detail {

// Push buttons and check boxes send BN_CLICKED when clicked (by mouse, Space, or Enter
// on a focused push button); check boxes answer BM_GETCHECK and BM_SETCHECK.
class ButtonWindow : public HWND__ {
  public:
    ButtonWindow(QWidget* parentWidget, HWND parent, int id, DWORD style);
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;

  private:
    QAbstractButton* button_ = nullptr;  // null for a group box
    QGroupBox* group_ = nullptr;
};

// Single-line edits send EN_CHANGE for every change of their text, WM_SETTEXT included;
// multi-line ones for the user's changes only. A multi-line edit's text uses CR LF
// between lines; a lone LF in a text set by code stays a lone LF.
class EditWindow : public HWND__ {
  public:
    EditWindow(QWidget* parentWidget, HWND parent, int id, DWORD style);
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;

  private:
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    bool settingText_ = false;
};

// Static text or a black frame. The text is wrapped at the control's width and drawn,
// as Windows draws it, one line every lineHeight pixels (the dialog's base unit height).
class StaticWindow : public HWND__ {
  public:
    StaticWindow(QWidget* parentWidget, HWND parent, int id, DWORD style, int lineHeight);
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;

  private:
    QLabel* label_ = nullptr;  // null for a frame
};

// A drop-down list: items with a text and a pointer-sized value, and one selection or
// none. Inserting items selects nothing.
class ComboBoxWindow : public HWND__ {
  public:
    ComboBoxWindow(QWidget* parentWidget, HWND parent, int id, DWORD style);
    LRESULT ClassProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    std::u16string Text() const override;
    void SetText(const std::u16string& text) override;

  private:
    bool Valid(WPARAM index) const;
    LRESULT SelectString(WPARAM start, const char16_t* prefix);
    QComboBox* combo_;
};

}  // namespace mfc_detail
