// The responder that answers the modal dialogs in place of the user, for the dialogs
// outside message_box.cpp.
#pragma once

class DialogResponder;

namespace mfc_detail {

// The installed responder, or null when the real dialogs are shown.
DialogResponder* InstalledResponder();

}  // namespace mfc_detail
