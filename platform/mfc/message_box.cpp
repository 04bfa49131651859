#include "platform/mfc/message_box.h"

#include <QApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include "platform/mfc/detail/gui_application.h"
#include "platform/mfc/detail/installed_responder.h"
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

ScopedDialogResponder::ScopedDialogResponder(DialogResponder& responder) : previous_(g_responder) {
    g_responder = &responder;
}

ScopedDialogResponder::~ScopedDialogResponder() {
    g_responder = previous_;
}

DialogResponder* mfc_detail::InstalledResponder() {
    return g_responder;
}

FileDialogAnswer DialogResponder::AnswerFileDialog(const FileDialogRequest&) {
    return {IDCANCEL, {}};
}

ColorDialogAnswer DialogResponder::AnswerColorDialog(const ColorDialogRequest&) {
    return {IDCANCEL, 0};
}

int ScriptedResponder::AnswerMessageBox(const MessageBoxRequest& request) {
    messageBoxes.push_back(request);
    if (answers.empty()) {
        return (request.type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    }
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

namespace {

// The next scripted answer, or the given one when the script is empty.
template <typename Answer>
Answer Next(std::deque<Answer>& script, Answer otherwise) {
    if (script.empty()) {
        return otherwise;
    }
    Answer answer = script.front();
    script.pop_front();
    return answer;
}

}  // namespace

FileDialogAnswer ScriptedResponder::AnswerFileDialog(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return Next(fileAnswers, DialogResponder::AnswerFileDialog(request));
}

ColorDialogAnswer ScriptedResponder::AnswerColorDialog(const ColorDialogRequest& request) {
    colorDialogs.push_back(request);
    return Next(colorAnswers, DialogResponder::AnswerColorDialog(request));
}
