#include "tests/support/dialog_responders.h"

#include "platform/mfc/message_box.h"

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

ScopedDialogResponder::ScopedDialogResponder(DialogResponder& responder)
    : previous_(mfc_detail::InstallResponder(&responder)) {}

ScopedDialogResponder::~ScopedDialogResponder() {
    mfc_detail::InstallResponder(previous_);
}

int ScriptedResponder::AnswerMessageBox(const MessageBoxRequest& request) {
    messageBoxes.push_back(request);
    const int unscripted = (request.type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    return Next(answers, unscripted);
}

FileDialogAnswer ScriptedResponder::AnswerFileDialog(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return Next(fileAnswers, FileDialogAnswer{IDCANCEL, {}});
}

ColorDialogAnswer ScriptedResponder::AnswerColorDialog(const ColorDialogRequest& request) {
    colorDialogs.push_back(request);
    return Next(colorAnswers, ColorDialogAnswer{IDCANCEL, 0});
}
