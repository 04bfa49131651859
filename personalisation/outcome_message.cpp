#include "personalisation/outcome_message.h"

#include "platform/mfc/message_box.h"

void ShowOutcome(bool succeeded, const char16_t* successMessage) {
    AfxMessageBox(succeeded ? successMessage : u"操作失败", MB_OK, 0);
}
