// The three switches of the host product's translation feature: ".\config\static.ini",
// section "translate", keys "enable-dlg-translate", "enable-code-translate" and
// "res-create-missing-file", in that order.
#pragma once

#include "platform/win32/win_types.h"

// 1 only when all three are non-zero; all three are read, in order.
BOOL ReadTranslationSwitches();

// Sets all three to "1" (on non-zero) or "0", in order, in one write of the file: all
// three are stored or none is. False when the file could not be written.
bool WriteTranslationSwitches(BOOL on);
