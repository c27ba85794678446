#include "ui/progress_page.h"

#include <prsht.h>
#include "platform/system_dlls.h"
#include "resources/resource.h"
#include "ui/wizard_buttons.h"

namespace {
// Far above two lines per font of any package; the default limit (about 30 000
// bytes) would silently drop the end of a long log.
const UINT kLogLimit = 0x7FFFFFFE;
}  // namespace

VLFinishPage::VLFinishPage() : CPropertyPage(IDD_FINISH_PAGE) {}

void VLFinishPage::DoDataExchange() {
    m_progress.SubclassDlgItem(IDC_PROGRESS, m_hWnd);
    m_editLog.SubclassDlgItem(IDC_INSTALL_LOG, m_hWnd);
}

BOOL VLFinishPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_progress.SetRange32(0, 100);
    m_progress.SetStep(1);
    // The classic segmented bar, also where the system would theme it (Wine
    // does, and its themed drawing makes every position change costly).
    // uxtheme.dll comes from the system folder only (platform/system_dlls.h).
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    if (HMODULE uxtheme = LoadSystemDll("uxtheme.dll")) {
        const auto setTheme = reinterpret_cast<SetWindowThemeFn>(
            reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")));
        if (setTheme != nullptr) setTheme(m_progress.m_hWnd, L" ", L" ");
    }
    // The unthemed bar's frame differs from the themed one's: have it redrawn.
    SetWindowPos(m_progress.m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_editLog.SetLimitText(kLogLimit);
    return TRUE;
}

void VLFinishPage::AppendLog(std::string text) {
    const int length = m_editLog.GetWindowTextLength();
    m_editLog.SetSel(length, length);
    m_editLog.ScrollCaret();
    text += "\r\n";
    m_editLog.ReplaceSel(text.c_str(), false);
}

LRESULT VLFinishPage::OnWizardNext() {
    PostWizardButtons(PSWIZB_FINISH);
    return 0;
}
