#include "platform/framework/win_app.h"

#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <prsht.h>
#include <stdlib.h>

#include <algorithm>

#include "platform/framework/command_ids.h"
#include "platform/framework/resource_text.h"
#include "platform/framework/string_ids.h"
#include "platform/system_dlls.h"
#include "platform/win32_handles.h"

namespace {
CWinApp* g_pApp = nullptr;
const char kRecentSection[] = "Recent File List";
}  // namespace

CWinApp* GetCurrentApp() { return g_pApp; }

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

HWND CWinApp::GetMainHwnd() const { return m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr; }

void CWinApp::InitCommonControlsAndCom() {
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    CommonControlsInit(&controls);
    // The shell's folder picker wants COM on the calling thread.
    m_bComInitialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

void CWinApp::SetRegistryKey(const char* key) { m_strRegistryKey = key; }

std::string CWinApp::ProfileKeyPath() const {
    return "Software\\" + m_strRegistryKey + "\\" + m_strAppName + "\\" + kRecentSection;
}

void CWinApp::LoadStdProfileSettings(UINT maxRecent) {
    m_nMaxRecent = maxRecent;
    m_recentFiles.clear();
    if (m_strRegistryKey.empty()) return;
    VLRegKey key;
    if (key.Open(HKEY_CURRENT_USER, ProfileKeyPath().c_str(), KEY_READ) != ERROR_SUCCESS) return;
    for (UINT i = 1; i <= maxRecent; ++i) {
        char name[16];
        wsprintfA(name, "File%u", i);
        char value[MAX_PATH] = {};
        DWORD size = sizeof(value) - 1;
        DWORD type = 0;
        if (RegQueryValueExA(key.Get(), name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ && value[0] != '\0')
            m_recentFiles.push_back(value);
    }
}

void CWinApp::AddToRecentFileList(const std::string& path) {
    if (m_nMaxRecent == 0) return;
    m_recentFiles.erase(
        std::remove_if(m_recentFiles.begin(), m_recentFiles.end(),
                       [&](const std::string& p) { return lstrcmpiA(p.c_str(), path.c_str()) == 0; }),
        m_recentFiles.end());
    m_recentFiles.insert(m_recentFiles.begin(), path);
    if (m_recentFiles.size() > m_nMaxRecent) m_recentFiles.resize(m_nMaxRecent);
}

void CWinApp::SaveStdProfileSettings() {
    // Nothing of the program's own is stored; only a list that has entries is written.
    if (m_strRegistryKey.empty() || m_recentFiles.empty()) return;
    VLRegKey key;
    if (key.Create(HKEY_CURRENT_USER, ProfileKeyPath().c_str()) != ERROR_SUCCESS) return;
    for (size_t i = 0; i < m_recentFiles.size(); ++i) {
        char name[16];
        wsprintfA(name, "File%u", static_cast<unsigned>(i + 1));
        RegSetValueExA(key.Get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(m_recentFiles[i].c_str()),
                       static_cast<DWORD>(m_recentFiles[i].size() + 1));
    }
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* docTemplate) { m_pDocTemplate.reset(docTemplate); }

bool CWinApp::ProcessShellCommand() {
    if (!m_pDocTemplate) return false;
    const char* path = nullptr;
    for (int i = 1; i < __argc; ++i) {
        if (__argv[i][0] != '/' && __argv[i][0] != '-') {
            path = __argv[i];
            break;
        }
    }
    CDocument* document = m_pDocTemplate->OpenDocumentFile(path);
    m_pMainWnd = m_pDocTemplate->GetFrame();
    if (document == nullptr) return false;
    if (path != nullptr) AddToRecentFileList(path);
    return true;
}

void CWinApp::AddModelessSheet(HWND sheet) { m_modelessSheets.push_back(sheet); }

void CWinApp::RemoveModelessSheet(HWND sheet) {
    m_modelessSheets.erase(std::remove(m_modelessSheets.begin(), m_modelessSheets.end(), sheet),
                           m_modelessSheets.end());
}

bool CWinApp::OnCmdMsg(UINT id) {
    switch (id) {
        case ID_FILE_NEW:
            if (m_pDocTemplate) m_pDocTemplate->OpenDocumentFile(nullptr);
            return true;
        case ID_FILE_OPEN: {
            if (!m_pDocTemplate) return true;
            char buffer[MAX_PATH] = {};
            OPENFILENAMEA ofn = {};
            ofn.lStructSize = sizeof(ofn);
            ofn.hwndOwner = GetMainHwnd();
            ofn.lpstrFilter = "*.*\0*.*\0";
            ofn.lpstrFile = buffer;
            ofn.nMaxFile = sizeof(buffer);
            ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
            if (GetOpenFileNameA(&ofn) && m_pDocTemplate->OpenDocumentFile(buffer) != nullptr)
                AddToRecentFileList(buffer);
            return true;
        }
        case ID_APP_EXIT:
            if (GetMainHwnd() != nullptr) SendMessageA(GetMainHwnd(), WM_CLOSE, 0, 0);
            return true;
        default:
            return false;
    }
}

bool CWinApp::OnUpdateCmdUI(UINT id, bool& enabled) {
    if (id != ID_FILE_NEW && id != ID_FILE_OPEN && id != ID_APP_EXIT) return false;
    enabled = true;
    return true;
}

bool CWinApp::PreTranslateMessage(MSG& msg) {
    HWND main = GetMainHwnd();
    if (main != nullptr && m_pMainWnd->GetAccelTable() != nullptr && msg.message >= WM_KEYFIRST &&
        msg.message <= WM_KEYLAST && (msg.hwnd == main || IsChild(main, msg.hwnd)) &&
        TranslateAcceleratorA(main, m_pMainWnd->GetAccelTable(), &msg))
        return true;
    for (HWND sheet : m_modelessSheets) {
        if (IsWindow(sheet) && (msg.hwnd == sheet || IsChild(sheet, msg.hwnd)) &&
            PropSheet_IsDialogMessage(sheet, &msg))
            return true;
    }
    return false;
}

int CWinApp::Run() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (PreTranslateMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    m_pMainWnd = nullptr;
    m_pDocTemplate.reset();
    if (m_bComInitialized) CoUninitialize();
    m_bComInitialized = false;
    return 0;
}

int RunApplication(HINSTANCE instance) {
    CWinApp* app = GetCurrentApp();
    if (app == nullptr) return -1;
    app->m_hInstance = instance;
    app->m_strAppName = LoadResString(IDS_APP_TITLE);
    if (!app->InitInstance()) {
        HWND main = app->GetMainHwnd();
        if (main != nullptr && IsWindow(main)) DestroyWindow(main);
        return app->ExitInstance();
    }
    return app->Run();
}
