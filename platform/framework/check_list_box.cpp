#include "platform/framework/check_list_box.h"

#include <windowsx.h>

#include <string>

namespace {
const int kBoxMargin = 2;
}

int CCheckListBox::GetCount() const { return static_cast<int>(SendMessageA(m_hWnd, LB_GETCOUNT, 0, 0)); }

int CCheckListBox::GetCheck(int index) const {
    LRESULT data = SendMessageA(m_hWnd, LB_GETITEMDATA, static_cast<WPARAM>(index), 0);
    return data == 1 ? 1 : 0;
}

void CCheckListBox::SetCheck(int index, int check) {
    SendMessageA(m_hWnd, LB_SETITEMDATA, static_cast<WPARAM>(index), check == 1 ? 1 : 0);
    RECT rect;
    if (SendMessageA(m_hWnd, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect)) !=
        LB_ERR)
        InvalidateRect(m_hWnd, &rect, FALSE);
}

int CCheckListBox::InsertString(int index, const char* text) {
    return static_cast<int>(
        SendMessageA(m_hWnd, LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)));
}

int CCheckListBox::DeleteString(int index) {
    return static_cast<int>(SendMessageA(m_hWnd, LB_DELETESTRING, static_cast<WPARAM>(index), 0));
}

int CCheckListBox::CheckBoxSize() const { return GetSystemMetrics(SM_CYMENUCHECK); }

void CCheckListBox::SetListFont(HFONT font) {
    SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    HDC dc = GetDC(m_hWnd);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(m_hWnd, dc);
    int height = metrics.tmHeight;
    if (height < CheckBoxSize() + 2) height = CheckBoxSize() + 2;
    SendMessageA(m_hWnd, LB_SETITEMHEIGHT, 0, height);
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CCheckListBox::Toggle(int index) {
    if (index < 0 || index >= GetCount()) return;
    SetCheck(index, GetCheck(index) == 1 ? 0 : 1);
}

void CCheckListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &item.rcItem);
        return;
    }
    const int index = static_cast<int>(item.itemID);
    const int box = CheckBoxSize();
    RECT boxRect = item.rcItem;
    boxRect.left += kBoxMargin;
    boxRect.right = boxRect.left + box;
    boxRect.top += (item.rcItem.bottom - item.rcItem.top - box) / 2;
    boxRect.bottom = boxRect.top + box;

    RECT textRect = item.rcItem;
    textRect.left = boxRect.right + kBoxMargin * 2;
    RECT boxArea = item.rcItem;
    boxArea.right = textRect.left;
    FillRect(item.hDC, &boxArea, GetSysColorBrush(COLOR_WINDOW));
    DrawFrameControl(item.hDC, &boxRect, DFC_BUTTON,
                     DFCS_BUTTONCHECK | DFCS_FLAT | (GetCheck(index) == 1 ? DFCS_CHECKED : 0));

    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    SetBkColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    int length = static_cast<int>(SendMessageA(m_hWnd, LB_GETTEXTLEN, item.itemID, 0));
    std::string text(length > 0 ? static_cast<size_t>(length) + 1 : 1, '\0');
    if (length > 0) SendMessageA(m_hWnd, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length > 0 ? static_cast<size_t>(length) : 0);
    ExtTextOutA(item.hDC, textRect.left + 1, textRect.top, ETO_OPAQUE | ETO_CLIPPED, &textRect, text.c_str(),
                static_cast<UINT>(text.size()), nullptr);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(item.hDC, &textRect);
}

bool CCheckListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT& result) {
    if (message == WM_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    }
    return false;
}

LRESULT CCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            LRESULT hit = SendMessageA(m_hWnd, LB_ITEMFROMPOINT, 0, lParam);
            int index = LOWORD(hit);
            if (HIWORD(hit) == 0 && GET_X_LPARAM(lParam) < kBoxMargin * 2 + CheckBoxSize()) {
                LRESULT answer = Default(message, wParam, lParam);
                Toggle(index);
                return answer;
            }
            break;
        }
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) {
                Toggle(static_cast<int>(SendMessageA(m_hWnd, LB_GETCARETINDEX, 0, 0)));
                return 0;
            }
            break;
        case WM_CHAR:
            // The space bar toggles; it must not also act as a search key.
            if (wParam == ' ') return 0;
            break;
        default:
            break;
    }
    return Default(message, wParam, lParam);
}
