#include "platform/mfc/detail/dialog_font.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "platform/mfc/detail/window.h"

namespace mfc_detail {
namespace {

constexpr int kDefaultDpi = 96;

bool IsWindowsDialogFace(std::u16string_view face) {
    return face == u"MS Shell Dlg" || face == u"MS Shell Dlg 2" || face == u"SimSun" ||
           face == u"宋体";
}

int LogicalDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInchY()))
                             : kDefaultDpi;
}

}  // namespace

int MulDiv(int a, int b, int c) {
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = (product >= 0) == (c >= 0) ? c / 2 : -c / 2;
    return static_cast<int>((product + half) / c);
}

DialogFont MakeDialogFont(const char16_t* face, int pointSize) {
    const int pixels = MulDiv(pointSize, LogicalDpi(), 72);
    QFont font;
    font.setWeight(QFont::Normal);
    if (IsWindowsDialogFace(face)) {
        font.setFamilies({QStringLiteral("Noto Sans CJK SC")});
        font.setPixelSize(std::max(MulDiv(pixels, 5, 6), 1));
        return DialogFont{font, (pixels + 1) / 2, pixels};
    }
    font.setFamily(ToQString(face));
    font.setPixelSize(pixels);
    // Windows' base units: half the average width of the 52 Latin letters, rounded, and
    // the character height.
    const QFontMetrics metrics(font);
    const int alphabet = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogFont{font, (alphabet / 26 + 1) / 2, metrics.height()};
}

}  // namespace mfc_detail
