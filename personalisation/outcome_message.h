// How a personalisation handler ends: its own message when the change reached the
// product's files, "操作失败" when it did not.
#pragma once

void ShowOutcome(bool succeeded, const char16_t* successMessage);
