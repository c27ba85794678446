#include "ui/wizard_sheet.h"

#include "resources/resource.h"
#include "ui/installer_app.h"

CMyPropertySheet::CMyPropertySheet(CWnd* parent) : CPropertySheet(IDS_WIZARD_CAPTION, parent, 0) {
    AddPage(&m_splashPage);
    AddPage(&m_licensePage);
    AddPage(&m_selectFontPage);
    AddPage(&m_finishPage);
    AddPage(&m_userRegPage);
    m_dwFlags |= PSH_WIZARD;
}

void CMyPropertySheet::RunStartupPass() {
    for (int i = 0; i < GetPageCount(); ++i) SetActivePage(i);
    SetActivePage(kSplashPage);
}

bool CMyPropertySheet::OnCmdMsg(UINT id) {
    if (id == IDCANCEL) {
        PostMessageA(GetInstApp()->GetMainHwnd(), WM_CLOSE, 0, 0);
        return true;
    }
    return CPropertySheet::OnCmdMsg(id);
}
