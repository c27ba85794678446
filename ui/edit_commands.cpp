#include "ui/edit_commands.h"

bool IsEditControl(HWND hwnd) {
    if (hwnd == nullptr || !IsWindow(hwnd)) return false;
    char className[6] = {};
    GetClassNameA(hwnd, className, sizeof(className));
    return lstrcmpiA(className, "Edit") == 0;
}

HWND GetFocusedEdit() {
    HWND focus = GetFocus();
    return IsEditControl(focus) ? focus : nullptr;
}

bool CanCopyOrCut(HWND focus) {
    if (!IsEditControl(focus)) return false;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(focus, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return start != end;
}

bool CanPaste(HWND focus) { return IsEditControl(focus) && IsClipboardFormatAvailable(CF_TEXT); }
