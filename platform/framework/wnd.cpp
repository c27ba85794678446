#include "platform/framework/wnd.h"

namespace {
const char kObjectProp[] = "VL.CWnd";
}

CWnd::~CWnd() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) {
        if (m_pfnSuper != nullptr)
            SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        RemovePropA(m_hWnd, kObjectProp);
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (hwnd == nullptr) return nullptr;
    return static_cast<CWnd*>(GetPropA(hwnd, kObjectProp));
}

void CWnd::Bind(HWND hwnd) {
    m_hWnd = hwnd;
    SetPropA(hwnd, kObjectProp, this);
}

void CWnd::Unbind() {
    if (m_hWnd != nullptr) RemovePropA(m_hWnd, kObjectProp);
    m_hWnd = nullptr;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (hwnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hwnd) != nullptr) return false;
    Bind(hwnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, HWND parent) {
    return SubclassWindow(GetDlgItem(parent, static_cast<int>(id)));
}

LRESULT CWnd::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) return CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

bool CWnd::ReflectChildNotify(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = nullptr;
    switch (message) {
        case WM_COMMAND:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            child = reinterpret_cast<HWND>(lParam);
            break;
        case WM_DRAWITEM:
            child = reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem;
            break;
        case WM_MEASUREITEM:
            child = GetDlgItem(parent, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID));
            break;
        default:
            return false;
    }
    CWnd* wnd = FromHandlePermanent(child);
    return wnd != nullptr && wnd->OnChildNotify(message, wParam, lParam, result);
}

LRESULT CWnd::Dispatch(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    LRESULT result = 0;
    try {
        result = wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's dispatcher.
        result = 0;
    }
    if (message == WM_NCDESTROY) {
        if (wnd->m_pfnSuper != nullptr) {
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(wnd->m_pfnSuper));
            wnd->m_pfnSuper = nullptr;
        }
        wnd->Unbind();
    }
    return result;
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd == nullptr && message == WM_NCCREATE) {
        wnd = static_cast<CWnd*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        if (wnd != nullptr) wnd->Bind(hwnd);
    }
    if (wnd == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    return Dispatch(wnd, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd == nullptr) return DefWindowProcA(hwnd, message, wParam, lParam);
    return Dispatch(wnd, hwnd, message, wParam, lParam);
}
