#pragma once

#include <windows.h>

// The program's message box: string-table text id, caption "VellInstaller"
// (string 57344); OK and OK/Cancel boxes get the warning icon when type names
// none. Owned by the main window on the UI thread, ownerless on a worker.
int MessageBoxById(UINT id, UINT type = MB_OK);

// The same with the text of id used as a printf format for one number.
int MessageBoxFormatted(UINT id, int value, UINT type = MB_OK);

// The box itself, for a text already at hand.
int ShowAppMessageBox(const char* text, UINT type);
