#include "ui/control_text.h"

void SetControlText(UINT id, HWND dialog, const std::string& text) {
    if (dialog == nullptr) return;
    HWND control = GetDlgItem(dialog, static_cast<int>(id));
    if (control != nullptr) SetWindowTextA(control, text.c_str());
}
