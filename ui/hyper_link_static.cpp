#include "ui/hyper_link_static.h"

#include <shellapi.h>

CHyperLinkStatic::CHyperLinkStatic() : m_brush(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))) {}

HBRUSH CHyperLinkStatic::OnCtlColor(HDC dc, UINT controlKind) {
    if (m_font.IsEmpty()) {
        HFONT current = reinterpret_cast<HFONT>(SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
        LOGFONTA description = {};
        if (current == nullptr || GetObjectA(current, sizeof(description), &description) == 0)
            GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(description), &description);
        description.lfUnderline = TRUE;
        m_font.Attach(CreateFontIndirectA(&description));
        SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.Get()), FALSE);
        InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    if (controlKind == CTLCOLOR_STATIC) {
        SelectObject(dc, m_font.Get());
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, RGB(0, 0, 255));
    }
    return m_brush.Get();
}

bool CHyperLinkStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_CTLCOLORSTATIC:
            result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam), CTLCOLOR_STATIC));
            return true;
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            result = reinterpret_cast<LRESULT>(OnCtlColor(reinterpret_cast<HDC>(wParam), CTLCOLOR_BTN));
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) != STN_CLICKED) return false;
            ShellExecuteA(nullptr, "open", m_strURL.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            result = 0;
            return true;
        default:
            return false;
    }
}
