#pragma once

#include "platform/framework/controls.h"

// The installation log. When the dialog manager gives it the focus (after the
// summary box closes, or by Tab) it keeps its caret at the end of the log
// instead of selecting the whole text, as plain edit controls do.
class CLogEdit : public CEdit {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const LRESULT result = CEdit::WindowProc(message, wParam, lParam);
        return message == WM_GETDLGCODE ? (result & ~static_cast<LRESULT>(DLGC_HASSETSEL)) : result;
    }
};
