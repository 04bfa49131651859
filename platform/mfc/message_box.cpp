#include "platform/mfc/message_box.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "platform/mfc/detail/dialog_responder.h"
#include "platform/mfc/detail/gui_application.h"
#include "platform/mfc/detail/window.h"

namespace {

DialogResponder* g_responder = nullptr;

UINT WithDefaultIcon(UINT type) {
    if ((type & MB_ICONMASK) != 0) {
        return type;
    }
    return type | ((type & MB_TYPEMASK) == MB_YESNO ? MB_ICONQUESTION : MB_ICONEXCLAMATION);
}

QMessageBox::Icon IconOf(UINT type) {
    switch (type & MB_ICONMASK) {
        case MB_ICONHAND:
            return QMessageBox::Critical;
        case MB_ICONQUESTION:
            return QMessageBox::Question;
        case MB_ICONASTERISK:
            return QMessageBox::Information;
        default:
            return QMessageBox::Warning;
    }
}

int ShowQtBox(const MessageBoxRequest& request) {
    const UINT type = WithDefaultIcon(request.type);
    QMessageBox box(IconOf(type), mfc_detail::ToQString(request.caption),
                    mfc_detail::ToQString(request.text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    if ((type & MB_TYPEMASK) == MB_YESNO) {
        QPushButton* yes = box.addButton(QStringLiteral("是(&Y)"), QMessageBox::YesRole);
        box.addButton(QStringLiteral("否(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.exec();
        return box.clickedButton() == yes ? IDYES : IDNO;
    }
    box.setDefaultButton(box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole));
    box.exec();
    return IDOK;
}

std::u16string ExecutableBaseName() {
    return mfc_detail::FromQString(
        QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

}  // namespace

int AfxMessageBox(const char16_t* text, UINT type, UINT) {
    mfc_detail::EnsureGuiApplication();
    const MessageBoxRequest request{ExecutableBaseName(), text != nullptr ? text : u"", type};
    return g_responder != nullptr ? g_responder->AnswerMessageBox(request) : ShowQtBox(request);
}

DialogResponder* mfc_detail::InstalledResponder() {
    return g_responder;
}

DialogResponder* mfc_detail::InstallResponder(DialogResponder* responder) {
    DialogResponder* previous = g_responder;
    g_responder = responder;
    return previous;
}
