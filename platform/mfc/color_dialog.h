// The class library's colour dialog. The real program shows Qt's colour dialog; an
// installed DialogResponder (message_box.h) answers in its place.
#pragma once

#include "platform/mfc/window_types.h"

class CWnd;

// A colour as 0x00BBGGRR: red in the low byte, then green, then blue.
using COLORREF = DWORD;

// Open on rgbResult instead of black.
inline constexpr DWORD CC_RGBINIT = 0x00000001;
// Show the custom-colour part from the start (Qt's dialog always shows it).
inline constexpr DWORD CC_FULLOPEN = 0x00000002;

// The part of the dialog's set-up structure that callers read and change.
struct CHOOSECOLORW {
    COLORREF rgbResult = 0;            // initial colour in, chosen colour out
    COLORREF* lpCustColors = nullptr;  // 16 custom colours
    DWORD Flags = 0;
};

// What the dialog was set up with.
struct ColorDialogRequest {
    COLORREF color;  // the colour it opens on
    DWORD flags;
};

struct ColorDialogAnswer {
    int result;      // IDOK or IDCANCEL
    COLORREF color;  // the chosen colour
};

class CColorDialog {
  public:
    // rgbResult = initial; a non-black initial colour adds CC_RGBINIT. The custom
    // colours are the process-wide table. The parent is accepted and not used.
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    virtual ~CColorDialog() = default;

    // Runs the dialog: on IDOK m_cc.rgbResult holds the chosen colour; on IDCANCEL
    // nothing changes. The custom colours the user edits stay in the table.
    virtual INT_PTR DoModal();

    COLORREF GetColor() const { return m_cc.rgbResult; }

    CHOOSECOLORW m_cc;
};
