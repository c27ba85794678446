#include "platform/framework/dialog.h"

INT_PTR CDialog::DoModal(HWND parent) {
    m_bModal = true;
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), parent,
                                     &CDialog::DialogProcThunk, reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    return result;
}

bool CDialog::CreateModeless(HWND parent) {
    m_bModal = false;
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), parent,
                              &CDialog::DialogProcThunk, reinterpret_cast<LPARAM>(this)) != nullptr;
}

INT_PTR CDialog::SetMsgResult(LRESULT result) {
    SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, result);
    return TRUE;
}

bool CDialog::OnCommand(UINT id, UINT code, HWND control) {
    (void)control;
    if (code != BN_CLICKED) return false;
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

void CDialog::OnOK() {
    if (m_bModal) EndDialog(m_hWnd, IDOK);
}

void CDialog::OnCancel() {
    if (m_bModal) EndDialog(m_hWnd, IDCANCEL);
}

INT_PTR CDialog::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT reflected = 0;
    switch (message) {
        case WM_INITDIALOG:
            return OnInitDialog();
        case WM_COMMAND:
            if (ReflectChildNotify(m_hWnd, message, wParam, lParam, reflected)) return TRUE;
            return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam)) ? TRUE : FALSE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
            // The colour messages answer with the brush itself, not through DWLP_MSGRESULT.
            if (ReflectChildNotify(m_hWnd, message, wParam, lParam, reflected))
                return static_cast<INT_PTR>(reflected);
            return FALSE;
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
            if (ReflectChildNotify(m_hWnd, message, wParam, lParam, reflected))
                return SetMsgResult(reflected);
            return FALSE;
        default:
            return FALSE;
    }
}

INT_PTR CDialog::DispatchDialog(CDialog* dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    INT_PTR result = FALSE;
    try {
        result = dialog->DialogProc(message, wParam, lParam);
    } catch (...) {
        result = FALSE;
    }
    if (message == WM_NCDESTROY) dialog->Unbind();
    return result;
}

INT_PTR CALLBACK CDialog::DialogProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    CDialog* dialog = static_cast<CDialog*>(FromHandlePermanent(hwnd));
    if (dialog == nullptr && message == WM_INITDIALOG) {
        dialog = reinterpret_cast<CDialog*>(lParam);
        if (dialog != nullptr) dialog->Bind(hwnd);
    }
    if (dialog == nullptr) return FALSE;
    return DispatchDialog(dialog, message, wParam, lParam);
}
