#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "catalogue/inf_file.h"
#include "catalogue/package_info.h"
#include "platform/framework/win_app.h"
#include "platform/win32_handles.h"

class CMyPropertySheet;

// The installer's application object: the state the wizard pages and the
// install worker share, and its commands. Its start-up (InitInstance, and the
// constructor and destructor with it) is the executable's, app/installer_startup.cpp.
class COTFInstWinApp : public CWinApp {
public:
    COTFInstWinApp();
    ~COTFInstWinApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;
    // About (57664).
    bool OnCmdMsg(UINT id) override;
    bool OnUpdateCmdUI(UINT id, bool& enabled) override;
    void OnAppAbout();

    std::string GetFontDataDir() const { return m_strFontDataDir; }
    std::string GetDestDir() const { return m_strDestDir; }
    void SetDestDir(const std::string& folder) { m_strDestDir = folder; }

    // The wizard; made by the view, deleted at exit.
    std::unique_ptr<CMyPropertySheet> m_pSheet;
    // The catalogue read from otf.inf; deleted at exit.
    std::unique_ptr<VLInfFile> m_pCatalog;
    // Ends with a backslash.
    std::string m_strFontDataDir;
    // The package the selection page lists and the worker installs; set once at
    // start-up, before any page can show it.
    VLPackageInfo m_currentPackage;
    std::string m_strDestDir;
    // 1 while the install worker runs; closing is refused then.
    std::atomic<int32_t> m_bInstalling{0};
    // Nonzero: closing asks first. Cleared by the worker when it has finished.
    std::atomic<int32_t> m_bConfirmQuit{0};

private:
    // The named mutex that tells a second copy (and vellfont install) this one runs.
    VLHandle m_singleInstance;
};

// The application object, for the pages and the worker.
COTFInstWinApp* GetInstApp();
