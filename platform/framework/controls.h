#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "platform/framework/wnd.h"

// Thin objects for the standard controls a page binds by id.
class CStatic : public CWnd {};

class CEdit : public CWnd {
public:
    int GetWindowTextLength() const { return ::GetWindowTextLengthA(m_hWnd); }
    void SetSel(int start, int end) { SendMessageA(m_hWnd, EM_SETSEL, static_cast<WPARAM>(start), end); }
    void ReplaceSel(const char* text, bool canUndo) {
        SendMessageA(m_hWnd, EM_REPLACESEL, canUndo ? TRUE : FALSE, reinterpret_cast<LPARAM>(text));
    }
    void ScrollCaret() { SendMessageA(m_hWnd, EM_SCROLLCARET, 0, 0); }
    void SetLimitText(UINT limit) { SendMessageA(m_hWnd, EM_SETLIMITTEXT, limit, 0); }
};

class CProgressCtrl : public CWnd {
public:
    void SetRange32(int lower, int upper) { SendMessageA(m_hWnd, PBM_SETRANGE32, lower, upper); }
    void SetStep(int step) { SendMessageA(m_hWnd, PBM_SETSTEP, static_cast<WPARAM>(step), 0); }
    int GetPos() const { return static_cast<int>(SendMessageA(m_hWnd, PBM_GETPOS, 0, 0)); }
    void SetPos(int position) { SendMessageA(m_hWnd, PBM_SETPOS, static_cast<WPARAM>(position), 0); }
};
