#include "ui/license_page.h"

#include <prsht.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "ui/control_text.h"
#include "ui/wizard_buttons.h"
#include "ui/wizard_sheet.h"

namespace {
const DWORD kMaxNoticeSize = 1024 * 1024;

// The notice exactly as stored; empty when the resource is missing.
std::string LoadNotice() {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(IDR_LICENSE_NOTICE), "TEXT");
    if (resource == nullptr) return std::string();
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    DWORD size = SizeofResource(module, resource);
    // A notice is a few hundred bytes; anything near the address space is not one.
    if (bytes == nullptr || size == 0 || size > kMaxNoticeSize) return std::string();
    // The resource has no terminating NUL of its own.
    std::vector<char> text(static_cast<size_t>(size) + 1, '\0');
    std::memcpy(text.data(), bytes, size);
    return std::string(text.data());
}
}  // namespace

VLLicensePage::VLLicensePage() : CPropertyPage(IDD_LICENSE_PAGE) {}

BOOL VLLicensePage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    CheckRadioButton(m_hWnd, IDC_LICENSE_ACCEPT, IDC_LICENSE_REFUSE, IDC_LICENSE_REFUSE);
    SetControlText(IDC_LICENSE_TEXT, m_hWnd, LoadNotice());
    HWND text = GetDlgItem(IDC_LICENSE_TEXT);
    SendMessageA(text, EM_SETSEL, 0, 1);
    SendMessageA(text, EM_SCROLLCARET, 0, 0);
    return TRUE;
}

BOOL VLLicensePage::OnSetActive() {
    PostWizardButtons(0);
    return CPropertyPage::OnSetActive();
}

LRESULT VLLicensePage::OnWizardNext() {
    if (!m_bFontListFilled) {
        static_cast<CMyPropertySheet*>(GetSheet())->GetSelectFontPage()->FillFontList();
        m_bFontListFilled = true;
    }
    return CPropertyPage::OnWizardNext();
}

bool VLLicensePage::OnCommand(UINT id, UINT code, HWND control) {
    if (code == BN_CLICKED && id == IDC_LICENSE_ACCEPT) {
        PostWizardButtons(PSWIZB_NEXT);
        return true;
    }
    if (code == BN_CLICKED && id == IDC_LICENSE_REFUSE) {
        PostWizardButtons(0);
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}
