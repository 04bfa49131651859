// The program's resources, as an executable carries them: dialog templates, icons and
// the version text. A program hands its module to the start-up (AfxWinMain) the way
// Windows hands WinMain its instance; tests set it with AfxSetResourceHandle.
#pragma once

#include <span>

#include "platform/mfc/window_types.h"

// The window class of a control in a dialog template.
enum class ControlClass { Button, Edit, Static, ComboBox, ListView };

// One control: identifier (-1 for none), class, style bits (WS_, BS_, ES_, SS_, CBS_,
// LVS_), text, and position and size in dialog units.
struct ControlTemplate {
    int id;
    ControlClass kind;
    DWORD style;
    const char16_t* text;
    int x, y, cx, cy;
};

// A dialog: style bits (WS_, DS_), extended style, caption, font face and point size,
// size in dialog units, and its controls in creation order, which is the tab order.
struct DialogTemplate {
    UINT id;
    DWORD style;
    DWORD exStyle;
    const char16_t* caption;
    const char16_t* fontFace;
    int pointSize;
    int cx, cy;
    std::span<const ControlTemplate> controls;
};

// A picture in XPM form (32 by 32 for the big icon).
struct IconResource {
    UINT id;
    std::span<const char* const> xpm;
};

// The version block: what the file says about itself.
struct VersionResource {
    const char16_t* fileDescription;
    const char16_t* fileVersion;
    const char16_t* productName;
    const char16_t* productVersion;
    const char16_t* legalCopyright;
};

struct ResourceModule {
    std::span<const DialogTemplate> dialogs;
    std::span<const IconResource> icons;
    VersionResource version;
};

// The module in which resources are looked up; set by the start-up, null before.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE module);

// The dialog template or icon with that number; null when the module has none.
const DialogTemplate* FindDialogTemplate(HINSTANCE module, UINT id);
const IconResource* FindIconResource(HINSTANCE module, UINT id);
