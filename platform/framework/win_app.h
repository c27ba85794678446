#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/framework/cmd_target.h"
#include "platform/framework/doc_template.h"

class CFrameWnd;

// The application object: one global instance, constructed before the entry
// code runs. The entry code runs InitInstance, then Run (the UI thread's message
// loop) and ExitInstance.
class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // The message loop until WM_QUIT, then ExitInstance; its result is the exit code.
    virtual int Run();
    // Keyboard handling before dispatch: accelerators, then the modeless sheets'
    // dialog keys. True when the message was used.
    virtual bool PreTranslateMessage(MSG& msg);

    HWND GetMainHwnd() const;

    // The common controls the windows use, and COM on this thread for the
    // shell's folder picker.
    void InitCommonControlsAndCom();
    // Settings live under HKCU\Software\<key>\<application name>.
    void SetRegistryKey(const char* key);
    // Loads the recent-file list with up to maxRecent entries.
    void LoadStdProfileSettings(UINT maxRecent);
    void AddToRecentFileList(const std::string& path);
    void AddDocTemplate(CSingleDocTemplate* docTemplate);
    // Carries out the command line: opens the file it names, else a new document.
    bool ProcessShellCommand();
    // Modeless property sheets whose dialog keys the message loop handles.
    void AddModelessSheet(HWND sheet);
    void RemoveModelessSheet(HWND sheet);

    // New (57600), open (57601) and exit (57665).
    bool OnCmdMsg(UINT id) override;
    bool OnUpdateCmdUI(UINT id, bool& enabled) override;

    HINSTANCE m_hInstance = nullptr;
    CFrameWnd* m_pMainWnd = nullptr;
    std::string m_strAppName;

private:
    std::string ProfileKeyPath() const;
    void SaveStdProfileSettings();

    bool m_bComInitialized = false;
    std::string m_strRegistryKey;
    UINT m_nMaxRecent = 0;
    std::vector<std::string> m_recentFiles;
    std::unique_ptr<CSingleDocTemplate> m_pDocTemplate;
    std::vector<HWND> m_modelessSheets;
};

// The application object of the process.
CWinApp* GetCurrentApp();

// The process's entry step: InitInstance; on failure the main window is
// destroyed and ExitInstance gives the exit code; otherwise Run does.
int RunApplication(HINSTANCE instance);
