#pragma once

#include <windows.h>

#include "platform/framework/wnd.h"

// A dialog on a template of the program's resources, modal (DoModal) or as a
// modeless child (CreateModeless). The trampoline binds the object at
// WM_INITDIALOG; messages before it (WM_SETFONT) get the system's default.
class CDialog : public CWnd {
public:
    explicit CDialog(UINT idTemplate) : m_nIDTemplate(idTemplate) {}

    INT_PTR DoModal(HWND parent);
    // Creates the dialog window as a modeless window of parent.
    bool CreateModeless(HWND parent);

    UINT GetTemplateId() const { return m_nIDTemplate; }
    HWND GetDlgItem(UINT id) const { return ::GetDlgItem(m_hWnd, static_cast<int>(id)); }

protected:
    // Return meanings as for a dialog procedure: TRUE when handled; answers that
    // are not the procedure's return value go through DWLP_MSGRESULT.
    virtual INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam);
    // TRUE lets the system set the focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // A WM_COMMAND from a control or menu; true when handled.
    virtual bool OnCommand(UINT id, UINT code, HWND control);
    virtual void OnOK();
    virtual void OnCancel();
    // Sets a notification's answer and reports the message handled.
    INT_PTR SetMsgResult(LRESULT result);

    static INT_PTR CALLBACK DialogProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    // Runs DialogProc for a bound object, with no exception escaping.
    static INT_PTR DispatchDialog(CDialog* dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    bool m_bModal = false;

private:
    UINT m_nIDTemplate;
};
