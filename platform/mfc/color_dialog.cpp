#include "platform/mfc/color_dialog.h"

#include <QApplication>
#include <QColor>
#include <QColorDialog>
#include <algorithm>
#include <array>

#include "platform/mfc/detail/dialog_responder.h"
#include "platform/mfc/detail/gui_application.h"
#include "platform/mfc/message_box.h"

namespace {

// The class library's process-wide custom colours, white at start.
std::array<COLORREF, 16> g_customColors = [] {
    std::array<COLORREF, 16> colors{};
    colors.fill(0x00FFFFFF);
    return colors;
}();

QColor ToQColor(COLORREF color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

COLORREF FromQColor(const QColor& color) {
    return static_cast<COLORREF>(color.red()) | (static_cast<COLORREF>(color.green()) << 8) |
           (static_cast<COLORREF>(color.blue()) << 16);
}

// Qt's dialog, modal to the application, with the custom colours of the table.
ColorDialogAnswer ShowQtColorDialog(const ColorDialogRequest& request, COLORREF* customColors) {
    const int count = std::min(QColorDialog::customCount(), 16);
    for (int i = 0; customColors != nullptr && i < count; ++i) {
        QColorDialog::setCustomColor(i, ToQColor(customColors[i]));
    }
    QColorDialog dialog(ToQColor(request.color), QApplication::activeWindow());
    const bool chosen = dialog.exec() == QDialog::Accepted;
    for (int i = 0; customColors != nullptr && i < count; ++i) {
        customColors[i] = FromQColor(QColorDialog::customColor(i));
    }
    return {chosen ? IDOK : IDCANCEL, chosen ? FromQColor(dialog.selectedColor()) : 0};
}

}  // namespace

CColorDialog::CColorDialog(COLORREF initial, DWORD flags, CWnd*) {
    m_cc.rgbResult = initial;
    m_cc.lpCustColors = g_customColors.data();
    m_cc.Flags = flags | (initial != 0 ? CC_RGBINIT : 0);
}

INT_PTR CColorDialog::DoModal() {
    mfc_detail::EnsureGuiApplication();
    const ColorDialogRequest request{(m_cc.Flags & CC_RGBINIT) != 0 ? m_cc.rgbResult : 0,
                                     m_cc.Flags};
    DialogResponder* responder = mfc_detail::InstalledResponder();
    const ColorDialogAnswer answer = responder != nullptr
                                         ? responder->AnswerColorDialog(request)
                                         : ShowQtColorDialog(request, m_cc.lpCustColors);
    if (answer.result != IDOK) {
        return IDCANCEL;
    }
    m_cc.rgbResult = answer.color & 0x00FFFFFF;
    return IDOK;
}
