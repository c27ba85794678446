#include "ui/main_frame.h"

#include <shellapi.h>

#include "platform/framework/command_ids.h"
#include "platform/framework/message_box.h"
#include "platform/framework/resource_text.h"
#include "resources/resource.h"
#include "ui/edit_commands.h"
#include "ui/installer_app.h"

BOOL CMainFrame::PreCreateWindow(CREATESTRUCTA& cs) {
    // Assigned, not added to: no sizing border, no minimise or maximise box.
    cs.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | FWS_ADDTOTITLE;
    return TRUE;
}

void CMainFrame::OnClose() {
    COTFInstWinApp* app = GetInstApp();
    if (app->m_bInstalling == 1) {
        MessageBoxById(IDS_CANNOT_QUIT_INSTALLING, MB_OK);
        return;
    }
    if (app->m_bConfirmQuit != 0 && MessageBoxById(IDS_CONFIRM_QUIT, MB_OKCANCEL) == IDCANCEL) return;
    CFrameWnd::OnClose();
}

void CMainFrame::OnUserRegister() {
    std::string address = LoadResString(IDS_REGISTER_URL);
    ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool CMainFrame::OnCmdMsg(UINT id) {
    UINT message = 0;
    switch (id) {
        case ID_EDIT_COPY:
            message = WM_COPY;
            break;
        case ID_EDIT_CUT:
            message = WM_CUT;
            break;
        case ID_EDIT_PASTE:
            message = WM_PASTE;
            break;
        case ID_USER_REGISTER:
            OnUserRegister();
            return true;
        default:
            return CFrameWnd::OnCmdMsg(id);
    }
    HWND edit = GetFocusedEdit();
    if (edit != nullptr) SendMessageA(edit, message, 0, 0);
    return true;
}

bool CMainFrame::OnUpdateCmdUI(UINT id, bool& enabled) {
    switch (id) {
        case ID_EDIT_COPY:
        case ID_EDIT_CUT:
            enabled = CanCopyOrCut(GetFocus());
            return true;
        case ID_EDIT_PASTE:
            enabled = CanPaste(GetFocus());
            return true;
        case ID_USER_REGISTER:
            enabled = true;
            return true;
        default:
            return CFrameWnd::OnUpdateCmdUI(id, enabled);
    }
}
