#include "ui/select_font_page.h"

#include <prsht.h>

#include <shlobj.h>

#include "install/install_checks.h"
#include "platform/framework/message_box.h"
#include "platform/framework/resource_text.h"
#include "platform/framework/win_thread.h"
#include "platform/install_platform.h"
#include "resources/resource.h"
#include "ui/control_text.h"
#include "ui/install_thread.h"
#include "ui/installer_app.h"
#include "ui/wizard_buttons.h"
#include "ui/wizard_progress_bar.h"
#include "ui/wizard_sheet.h"

namespace {
const int kListFontHeight = 16;
// The string-table message for a refused start.
UINT RefusalMessageId(VLStartRefusal refusal) {
    switch (refusal) {
        case VLStartRefusal::kNoFontChosen:
            return IDS_NO_FONT_SELECTED;
        case VLStartRefusal::kNeedsAdministrator:
            return IDS_NEED_ADMIN;
        case VLStartRefusal::kFontAlreadyPresent:
            return IDS_FONT_EXISTS;
        case VLStartRefusal::kNone:
            break;
    }
    return 0;
}

}  // namespace

VLSelectFontPage::VLSelectFontPage() : CPropertyPage(IDD_SELECT_FONT_PAGE) {}

void VLSelectFontPage::DoDataExchange() { m_listFonts.SubclassDlgItem(IDC_FONT_LIST, m_hWnd); }

BOOL VLSelectFontPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_fontList.Attach(CreateFontA(kListFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE,
                                  SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, LoadResString(IDS_FONT_LIST_FACE).c_str()));
    m_listFonts.SetListFont(m_fontList.Get());
    return TRUE;
}

BOOL VLSelectFontPage::OnSetActive() {
    SetControlText(IDC_DEST_DIR, m_hWnd, GetInstApp()->GetDestDir());
    PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return CPropertyPage::OnSetActive();
}

void VLSelectFontPage::FillFontList() {
    const int existing = m_listFonts.GetCount();
    for (int i = 0; i < existing; ++i) m_listFonts.DeleteString(0);
    const VLPackageInfo& package = GetInstApp()->m_currentPackage;
    for (int i = 0; i < static_cast<int>(package.m_fonts.size()); ++i) {
        m_listFonts.InsertString(i, package.FormatFontLabel(i, true).c_str());
        m_listFonts.SetCheck(i, 1);
    }
    SetControlText(IDC_PRODUCT_NAME, m_hWnd, package.m_packageName);
}

bool VLSelectFontPage::IsFontChecked(int index) const {
    if (index < 0 || index >= m_listFonts.GetCount()) return false;
    return m_listFonts.GetCheck(index) == 1;
}

bool BrowseForFolder(std::string& path) {
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info = {};
    info.hwndOwner = GetInstApp()->GetMainHwnd();
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    const std::string title = LoadResString(IDS_FOLDER_BROWSE_TITLE);
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    if (item == nullptr) return false;
    // A choice with no file-system path (only a display name) keeps the
    // destination as it was.
    char chosen[MAX_PATH] = {};
    const bool isFolder = SHGetPathFromIDListA(item, chosen) != FALSE && chosen[0] != '\0';
    CoTaskMemFree(item);
    if (!isFolder) return false;
    path = chosen;
    return true;
}

void VLSelectFontPage::OnBrowse() {
    std::string folder;
    if (!BrowseForFolder(folder)) return;
    if (NeedsAdministrator(GetSystemInstallPlatform().system, folder)) {
        MessageBoxById(IDS_NEED_ADMIN, MB_OK);
        return;
    }
    GetInstApp()->SetDestDir(folder);
    SetControlText(IDC_DEST_DIR, m_hWnd, folder);
}

LRESULT VLSelectFontPage::OnWizardNext() {
    COTFInstWinApp* app = GetInstApp();
    VLInstallPlatform& platform = GetSystemInstallPlatform();
    const VLStartRefusal refusal = CheckInstallStart(
        platform.system, platform.files, app->m_currentPackage,
        [this](int32_t index) { return IsFontChecked(index); }, app->GetDestDir());
    if (refusal != VLStartRefusal::kNone) {
        MessageBoxById(RefusalMessageId(refusal), MB_OK);
        return -1;
    }
    if (MessageBoxById(IDS_CONFIRM_INSTALL, MB_OKCANCEL) != IDOK) return -1;
    return StartInstallation() ? 0 : -1;
}

bool VLSelectFontPage::StartInstallation() {
    COTFInstWinApp* app = GetInstApp();
    HWND cancel = ::GetDlgItem(app->m_pSheet->m_hWnd, IDCANCEL);
    PostWizardButtons(0);
    EnableWindow(cancel, FALSE);
    app->m_bInstalling = 1;
    BindProgressBarToWizard();
    if (BeginThread<VLInstallThread>() != nullptr) return true;
    // Without a worker nothing would ever give the wizard back: undo the start.
    app->m_bInstalling = 0;
    EnableWindow(cancel, TRUE);
    PostWizardButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return false;
}

bool VLSelectFontPage::OnCommand(UINT id, UINT code, HWND control) {
    if (id == IDC_BROWSE && code == BN_CLICKED) {
        OnBrowse();
        return true;
    }
    return CPropertyPage::OnCommand(id, code, control);
}
