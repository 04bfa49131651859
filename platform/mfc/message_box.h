// The class library's message box, and the responder through which tests answer it
// and the file and colour dialogs.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "platform/mfc/color_dialog.h"
#include "platform/mfc/file_dialog.h"
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

struct MessageBoxRequest {
    std::u16string caption;
    std::u16string text;
    UINT type;  // as the caller gave it
};

// Answers the modal dialogs in place of the user. Installed, it is asked instead of
// showing a window.
class DialogResponder {
  public:
    virtual ~DialogResponder() = default;
    virtual int AnswerMessageBox(const MessageBoxRequest& request) = 0;
    // Unless overridden, the user cancels.
    virtual FileDialogAnswer AnswerFileDialog(const FileDialogRequest& request);
    virtual ColorDialogAnswer AnswerColorDialog(const ColorDialogRequest& request);
};

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
