// The dialog font and the dialog base units that come from it.
#pragma once

#include <QFont>

namespace mfc_detail {

struct DialogFont {
    QFont font;
    int baseX;  // the average width of the Latin letters, rounded
    int baseY;  // the character height (ascent plus descent)
};

// The template's face at its point size, at the screen's logical resolution. The
// Windows dialog faces ("MS Shell Dlg", SimSun) map to a Chinese font with the same
// role, so Chinese texts show.
DialogFont MakeDialogFont(const char16_t* face, int pointSize);

// a * b / c, rounded half away from zero, as Windows' MulDiv.
int MulDiv(int a, int b, int c);

}  // namespace mfc_detail
