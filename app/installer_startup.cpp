// The installer's start-up: the single-instance check, the document template,
// the catalogue and the default destination.
#include "ui/installer_app.h"

#include "app/current_package.h"
#include "app/startup_paths.h"
#include "catalogue/inf_loader.h"
#include "install/font_registration.h"
#include "platform/framework/command_ids.h"
#include "platform/framework/doc_template.h"
#include "platform/framework/message_box.h"
#include "platform/install_platform.h"
#include "platform/installation_lock.h"
#include "resources/resource.h"
#include "ui/main_frame.h"
#include "ui/title_document.h"
#include "ui/wizard_sheet.h"
#include "ui/wizard_view.h"

namespace {
const char kRegistryKey[] = "Local AppWizard-Generated Applications";

CDocument* MakeDocument() { return new COTFInstWinDoc(); }
CFrameWnd* MakeFrame() { return new CMainFrame(); }
CFormView* MakeView() { return new COTFInstWinView(); }
}  // namespace

// The constructor and the destructor live here, with the start-up: the class's
// virtual table comes with them, so the UI library's part of the class links
// into a test without this executable.
COTFInstWinApp::COTFInstWinApp() = default;
COTFInstWinApp::~COTFInstWinApp() = default;

BOOL COTFInstWinApp::InitInstance() {
    // Held for as long as the application object lives: it marks this copy
    // as running.
    m_singleInstance.Reset(CreateMutexA(nullptr, TRUE, kInstallationMutexName));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        MessageBoxById(IDS_ALREADY_RUNNING, MB_OK);
        return FALSE;
    }

    InitCommonControlsAndCom();
    SetRegistryKey(kRegistryKey);
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, &MakeDocument, &MakeFrame, &MakeView));
    if (!ProcessShellCommand()) return FALSE;

    m_bConfirmQuit = 1;

    char modulePath[MAX_PATH + 1] = {};
    GetModuleFileNameA(nullptr, modulePath, MAX_PATH);
    m_strFontDataDir = FontDataDirFromModulePath(modulePath);

    m_pCatalog = LoadInfFile(m_strFontDataDir + "otf.inf");
    if (!m_pCatalog) {
        MessageBoxById(IDS_INF_LOAD_FAILED, MB_OK);
        return FALSE;
    }
    m_currentPackage = ChooseCurrentPackage(*m_pCatalog);

    const VLWindowsFolder windowsFolder = QueryWindowsFolder(GetSystemInstallPlatform().system);
    if (windowsFolder.reportedLength > kWindowsFolderBufferSize) return FALSE;

    m_bInstalling = 0;
    m_strDestDir = BuildWindowsFontsDir(windowsFolder);

    ShowWindow(GetMainHwnd(), SW_SHOW);
    UpdateWindow(GetMainHwnd());
    return TRUE;
}
