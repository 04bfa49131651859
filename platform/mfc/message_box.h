// The class library's message box.
#pragma once

#include "platform/mfc/window_types.h"

inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_TYPEMASK = 0x0000000F;
inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONASTERISK = 0x00000040;
inline constexpr UINT MB_ICONMASK = 0x000000F0;

// Shows a modal box captioned with the executable's base name. Without an icon in the
// type, an OK box gets the exclamation icon and a Yes/No box the question icon. Returns
// IDOK, IDYES or IDNO. The help id is not used.
int AfxMessageBox(const char16_t* text, UINT type = MB_OK, UINT helpId = 0);
