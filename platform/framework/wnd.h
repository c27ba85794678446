#pragma once

#include <windows.h>

#include "platform/framework/cmd_target.h"

// A window object bound to a window handle. Windows of our own classes bind at
// WM_NCCREATE; existing controls bind by subclassing. Either way the object is
// found again from the handle (FromHandlePermanent), which is how a parent
// reflects a child's notifications back to the child's object.
class CWnd : public CCmdTarget {
public:
    CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;
    ~CWnd() override;

    HWND GetSafeHwnd() const { return m_hWnd; }
    static CWnd* FromHandlePermanent(HWND hwnd);

    // Routes an existing window's messages through WindowProc until it is destroyed.
    bool SubclassWindow(HWND hwnd);
    // Subclasses control id of dialog parent; false when there is no such control.
    bool SubclassDlgItem(UINT id, HWND parent);

    // A parent's notification about this control, reflected back to it (WM_COMMAND,
    // WM_CTLCOLOR*, WM_DRAWITEM, WM_MEASUREITEM). True when handled; result is then the answer.
    virtual bool OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    // Offers a notification to the object of the child control it concerns.
    static bool ReflectChildNotify(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    HWND m_hWnd = nullptr;

protected:
    // The window procedure of the bound window; the base passes everything on.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);
    // Binds this object to hwnd (used by the trampolines).
    void Bind(HWND hwnd);
    void Unbind();

    // For windows registered with this procedure: binds at WM_NCCREATE, the
    // create parameter being the object.
    static LRESULT CALLBACK StdWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT Dispatch(CWnd* wnd, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    WNDPROC m_pfnSuper = nullptr;
};
