// The seam through which the modal dialogs (message boxes, file and colour dialogs) are
// answered in place of the user: while a responder is installed it is asked instead of
// showing a window. Only tests install one.
#pragma once

#include <string>

#include "platform/mfc/color_dialog.h"
#include "platform/mfc/file_dialog.h"
#include "platform/mfc/window_types.h"

struct MessageBoxRequest {
    std::u16string caption;
    std::u16string text;
    UINT type;  // as the caller gave it
};

class DialogResponder {
  public:
    virtual ~DialogResponder() = default;
    virtual int AnswerMessageBox(const MessageBoxRequest& request) = 0;
    virtual FileDialogAnswer AnswerFileDialog(const FileDialogRequest& request) = 0;
    virtual ColorDialogAnswer AnswerColorDialog(const ColorDialogRequest& request) = 0;
};

namespace mfc_detail {

// The installed responder, or null when the real dialogs are shown.
DialogResponder* InstalledResponder();

// Installs the responder (null: the real dialogs again); returns the one it replaces.
DialogResponder* InstallResponder(DialogResponder* responder);

}  // namespace mfc_detail
