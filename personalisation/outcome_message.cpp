#include "personalisation/outcome_message.h"

#include "platform/mfc/message_box.h"
#include "workbench/product_files.h"

void ShowOutcome(bool succeeded, const char16_t* successMessage) {
    AfxMessageBox(succeeded ? successMessage : kOperationFailed, MB_OK, 0);
}
