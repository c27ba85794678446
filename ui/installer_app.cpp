#include "ui/installer_app.h"

#include "platform/framework/command_ids.h"
#include "ui/about_dialog.h"
#include "ui/wizard_sheet.h"

COTFInstWinApp* GetInstApp() { return static_cast<COTFInstWinApp*>(GetCurrentApp()); }

int COTFInstWinApp::ExitInstance() {
    m_pCatalog.reset();
    m_pSheet.reset();
    return CWinApp::ExitInstance();
}

bool COTFInstWinApp::OnCmdMsg(UINT id) {
    if (id == ID_APP_ABOUT) {
        OnAppAbout();
        return true;
    }
    return CWinApp::OnCmdMsg(id);
}

bool COTFInstWinApp::OnUpdateCmdUI(UINT id, bool& enabled) {
    if (id == ID_APP_ABOUT) {
        enabled = true;
        return true;
    }
    return CWinApp::OnUpdateCmdUI(id, enabled);
}

void COTFInstWinApp::OnAppAbout() {
    CAboutDlg about;
    about.DoModal(GetMainHwnd());
}
