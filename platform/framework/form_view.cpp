#include "platform/framework/form_view.h"

#include "platform/framework/frame_wnd.h"

bool CFormView::Create(CFrameWnd* frame, CDocument* document) {
    m_pFrame = frame;
    m_pDocument = document;
    if (!CreateModeless(frame->m_hWnd)) return false;
    frame->SetActiveView(this);
    frame->RecalcLayout();
    ShowWindow(m_hWnd, SW_SHOW);
    return true;
}

void CFormView::SetScrollSizes(int mapMode, SIZE total) {
    (void)mapMode;
    m_totalSize = total;
}

void CFormView::ResizeParentToFit(bool shrinkOnly) {
    if (m_pFrame == nullptr) return;
    RECT client;
    GetClientRect(m_hWnd, &client);
    int dx = client.right - m_totalSize.cx;
    int dy = client.bottom - m_totalSize.cy;
    if (shrinkOnly) {
        if (dx < 0) dx = 0;
        if (dy < 0) dy = 0;
    }
    if (dx == 0 && dy == 0) return;
    RECT frame;
    GetWindowRect(m_pFrame->m_hWnd, &frame);
    SetWindowPos(m_pFrame->m_hWnd, nullptr, 0, 0, (frame.right - frame.left) - dx,
                 (frame.bottom - frame.top) - dy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CFormView::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) {
        // Hand the focus to the first child window (the hosted sheet), which keeps its own focus.
        HWND child = GetWindow(m_hWnd, GW_CHILD);
        if (child != nullptr) {
            SetFocus(child);
            return TRUE;
        }
    }
    return CDialog::DialogProc(message, wParam, lParam);
}
