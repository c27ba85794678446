#include "ui/user_reg_page.h"

#include "platform/framework/resource_text.h"
#include "ui/installer_app.h"

void CUserRegPage::DoDataExchange() { m_link.SubclassDlgItem(IDC_REGISTER_LINK, m_hWnd); }

BOOL CUserRegPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    std::string address = LoadResString(IDS_REGISTER_URL);
    SetWindowTextA(m_link.m_hWnd, address.c_str());
    m_link.SetURL(address);
    return TRUE;
}

BOOL CUserRegPage::OnWizardFinish() {
    PostMessageA(GetInstApp()->GetMainHwnd(), WM_CLOSE, 0, 0);
    return FALSE;
}
