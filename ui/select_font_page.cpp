#include "ui/select_font_page.h"

#include <prsht.h>

#include "app/otf_inst_win_app.h"
#include "platform/framework/message_box.h"
#include "resources/resource.h"
#include "ui/control_text.h"
#include "ui/wizard_buttons.h"

namespace {
// "ＭＳ ゴシック": the fixed-pitch face that keeps the padded labels aligned.
const char kListFace[] = "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E";
const int kListFontHeight = 16;
}  // namespace

VLSelectFontPage::VLSelectFontPage() : CPropertyPage(IDD_SELECT_FONT_PAGE) {}

void VLSelectFontPage::DoDataExchange() { m_listFonts.SubclassDlgItem(IDC_FONT_LIST, m_hWnd); }

BOOL VLSelectFontPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_fontList.Attach(CreateFontA(kListFontHeight, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                  OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DRAFT_QUALITY,
                                  DEFAULT_PITCH | FF_DONTCARE, kListFace));
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

int VLSelectFontPage::CountCheckedFonts() const {
    int checked = 0;
    for (int i = 0; i < m_listFonts.GetCount(); ++i) {
        if (m_listFonts.GetCheck(i) == 1) ++checked;
    }
    return checked;
}

LRESULT VLSelectFontPage::OnWizardNext() {
    if (CountCheckedFonts() == 0) {
        MessageBoxById(IDS_NO_FONT_SELECTED, MB_OK);
        return -1;
    }
    return -1;
}

bool VLSelectFontPage::OnCommand(UINT id, UINT code, HWND control) {
    return CPropertyPage::OnCommand(id, code, control);
}
