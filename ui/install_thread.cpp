#include "ui/install_thread.h"

#include <string>

#include "install/font_codec.h"
#include "install/install_job.h"
#include "install/install_one_font.h"
#include "platform/framework/message_box.h"
#include "platform/framework/resource_text.h"
#include "platform/install_platform.h"
#include "ui/installer_app.h"
#include "ui/wizard_buttons.h"
#include "ui/wizard_sheet.h"

namespace {

// The wizard as the install job sees it. Log lines are queued for the UI
// thread; every other call but the button request is a synchronous request
// to a control of the UI thread, and a message waits for the log to be whole.
class CWizardInstallHost : public IVLInstallHost {
public:
    CWizardInstallHost(COTFInstWinApp& app, CMyPropertySheet& sheet) : m_app(app), m_sheet(sheet) {}

    bool IsFontChecked(int32_t index) override { return m_sheet.GetSelectFontPage()->IsFontChecked(index); }
    void AppendLog(const std::string& text) override { m_sheet.GetFinishPage()->QueueLog(text); }
    void ShowMessage(const std::string& text) override {
        m_sheet.GetFinishPage()->FlushLog();
        ShowAppMessageBox(text.c_str(), MB_OK);
    }
    // The whole log; only Next, posted (the worker must not wait for the UI
    // thread); Cancel back; then the window may close, without asking.
    void JobFinished() override {
        m_sheet.GetFinishPage()->FlushLog();
        ::PostWizardButtons(PSWIZB_NEXT);
        EnableWindow(GetDlgItem(m_sheet.m_hWnd, IDCANCEL), TRUE);
        m_app.m_bInstalling = 0;
        m_app.m_bConfirmQuit = 0;
    }
    std::string LoadText(VLJobText text) override {
        return LoadResString(text == VLJobText::kAllInstalled ? IDS_ALL_DONE : IDS_FAILED_COUNT);
    }

private:
    COTFInstWinApp& m_app;
    CMyPropertySheet& m_sheet;
};

}  // namespace

int VLInstallThread::Run() {
    COTFInstWinApp* app = GetInstApp();
    CWizardInstallHost host(*app, *app->m_pSheet);
    VLInstallPlatform& platform = GetSystemInstallPlatform();
    VLFontInstaller installer(platform, GetFontCodec());
    RunInstallJob(host, installer, platform.files, app->m_currentPackage, app->GetFontDataDir(),
                  app->GetDestDir());
    return CWinThread::Run();
}
