// The main dialog's template.
#pragma once

#include "platform/mfc/resource_module.h"

extern const DialogTemplate kTarnwellDialog;
