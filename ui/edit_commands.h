#pragma once

#include <windows.h>

// The clipboard commands of the main window act on the focused window, and
// only when it is an edit control.

// True for a window whose class name is "Edit" in any letter case; at most five
// characters of the name are read, so longer class names never match.
bool IsEditControl(HWND hwnd);
// The focused window of this thread when it is an edit control; else null.
HWND GetFocusedEdit();
// Copy and cut: an edit control with a non-empty selection.
bool CanCopyOrCut(HWND focus);
// Paste: an edit control, and text on the clipboard.
bool CanPaste(HWND focus);
