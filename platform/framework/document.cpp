#include "platform/framework/document.h"

#include <windows.h>
#include <commdlg.h>

#include <fstream>

#include "platform/framework/command_ids.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/win_app.h"

void CDocument::SetTitle(const std::string& title) {
    m_strTitle = title;
    if (m_pFrame != nullptr) m_pFrame->OnUpdateFrameTitle();
}

void CDocument::SetPathName(const std::string& path) {
    m_strPathName = path;
    char title[MAX_PATH] = {};
    if (!path.empty() && GetFileTitleA(path.c_str(), title, sizeof(title)) == 0) SetTitle(title);
}

BOOL CDocument::OnNewDocument() {
    m_strPathName.clear();
    return TRUE;
}

BOOL CDocument::OnOpenDocument(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return FALSE;
    Serialize(false);
    return TRUE;
}

BOOL CDocument::OnSaveDocument(const char* path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return FALSE;
    Serialize(true);
    return TRUE;
}

bool CDocument::OnCmdMsg(UINT id) {
    if (id != ID_FILE_SAVE) return false;
    std::string path = m_strPathName;
    if (path.empty()) {
        char buffer[MAX_PATH] = {};
        lstrcpynA(buffer, m_strTitle.c_str(), sizeof(buffer));
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof(ofn);
        ofn.hwndOwner = m_pFrame != nullptr ? m_pFrame->m_hWnd : nullptr;
        ofn.lpstrFilter = "*.*\0*.*\0";
        ofn.lpstrFile = buffer;
        ofn.nMaxFile = sizeof(buffer);
        ofn.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
        if (!GetSaveFileNameA(&ofn)) return true;
        path = buffer;
    }
    if (OnSaveDocument(path.c_str())) {
        SetPathName(path);
        if (CWinApp* app = GetCurrentApp()) app->AddToRecentFileList(path);
    }
    return true;
}

bool CDocument::OnUpdateCmdUI(UINT id, bool& enabled) {
    if (id != ID_FILE_SAVE) return false;
    enabled = true;
    return true;
}
