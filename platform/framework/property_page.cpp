#include "platform/framework/property_page.h"

#include <cstring>

void CPropertyPage::FillPageDescription(PROPSHEETPAGEA& page) {
    std::memset(&page, 0, sizeof(page));
    page.dwSize = sizeof(page);
    page.dwFlags = PSP_DEFAULT;
    page.hInstance = GetModuleHandleA(nullptr);
    page.pszTemplate = MAKEINTRESOURCEA(GetTemplateId());
    page.pfnDlgProc = &CPropertyPage::PageProcThunk;
    page.lParam = reinterpret_cast<LPARAM>(this);
}

BOOL CPropertyPage::OnInitDialog() {
    DoDataExchange();
    return TRUE;
}

INT_PTR CPropertyPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_NOTIFY) return CDialog::DialogProc(message, wParam, lParam);
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    switch (header->code) {
        case PSN_SETACTIVE:
            return SetMsgResult(OnSetActive() ? 0 : -1);
        case PSN_KILLACTIVE:
            return SetMsgResult(OnKillActive() ? FALSE : TRUE);
        case PSN_WIZNEXT:
            return SetMsgResult(OnWizardNext());
        case PSN_WIZBACK:
            return SetMsgResult(OnWizardBack());
        case PSN_WIZFINISH:
            // The sheet's question is "keep it open?", the hook's is "may it finish?".
            return SetMsgResult(OnWizardFinish() ? FALSE : TRUE);
        default:
            return FALSE;
    }
}

INT_PTR CALLBACK CPropertyPage::PageProcThunk(HWND hwnd, UINT message, WPARAM wParam,
                                              LPARAM lParam) noexcept {
    CPropertyPage* page = static_cast<CPropertyPage*>(FromHandlePermanent(hwnd));
    if (page == nullptr && message == WM_INITDIALOG) {
        const PROPSHEETPAGEA* description = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        page = description != nullptr ? reinterpret_cast<CPropertyPage*>(description->lParam) : nullptr;
        if (page != nullptr) page->Bind(hwnd);
    }
    if (page == nullptr) return FALSE;
    return DispatchDialog(page, message, wParam, lParam);
}
