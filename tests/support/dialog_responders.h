// Answers the modal dialogs in place of the user, for tests and benchmarks.
#pragma once

#include <deque>
#include <vector>

#include "platform/mfc/detail/dialog_responder.h"

// Installs a responder for its lifetime; the one before comes back afterwards.
class ScopedDialogResponder {
  public:
    explicit ScopedDialogResponder(DialogResponder& responder);
    ~ScopedDialogResponder();
    ScopedDialogResponder(const ScopedDialogResponder&) = delete;
    ScopedDialogResponder& operator=(const ScopedDialogResponder&) = delete;

  private:
    DialogResponder* previous_;
};

// Records every request and answers from a script; an empty script answers IDOK for an
// OK box, IDNO for a Yes/No box, and cancels a file or colour dialog.
class ScriptedResponder : public DialogResponder {
  public:
    int AnswerMessageBox(const MessageBoxRequest& request) override;
    FileDialogAnswer AnswerFileDialog(const FileDialogRequest& request) override;
    ColorDialogAnswer AnswerColorDialog(const ColorDialogRequest& request) override;

    std::deque<int> answers;
    std::vector<MessageBoxRequest> messageBoxes;
    std::deque<FileDialogAnswer> fileAnswers;
    std::vector<FileDialogRequest> fileDialogs;
    std::deque<ColorDialogAnswer> colorAnswers;
    std::vector<ColorDialogRequest> colorDialogs;
};
