#pragma once

#include <windows.h>

// Asks the wizard for buttons (PSWIZB_* flags, 0 disables Back and Next).
// Always posted, never sent: requests take effect in posting order, after the
// code that posted them has returned.
void PostWizardButtons(DWORD flags);
