// The dialog font and the dialog base units that turn a template's dialog units into
// pixels.
#pragma once

#include <QFont>

namespace mfc_detail {

struct DialogFont {
    QFont font;
    int baseX;  // pixels per 4 horizontal dialog units
    int baseY;  // pixels per 8 vertical dialog units: the height of one line of text
};

// The template's face at its point size, at the screen's logical resolution.
//
// The Windows dialog faces ("MS Shell Dlg", SimSun) are 宋体 on a Chinese Windows, and
// the dialog keeps the geometry it has there: 宋体 at p pixels has the base units p/2
// by p (6 by 12 at 9 points and 96 dots per inch). The texts are drawn in Noto Sans
// CJK at 5/6 of that size, the largest at which the widest texts fit their controls;
// some of them do not fit even in 宋体 at full size. Other faces are used as they are,
// with the base units Windows takes from them.
DialogFont MakeDialogFont(const char16_t* face, int pointSize);

// a * b / c, rounded half away from zero, as Windows' MulDiv.
int MulDiv(int a, int b, int c);

}  // namespace mfc_detail
