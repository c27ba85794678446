#pragma once

#include "platform/framework/frame_wnd.h"

// The main window: caption, menu, clipboard commands on the focused edit
// control, the registration command and the close rules.
class CMainFrame : public CFrameWnd {
public:
    bool OnCmdMsg(UINT id) override;
    bool OnUpdateCmdUI(UINT id, bool& enabled) override;

    // The focused window, when it is an edit control; else null.
    static HWND GetFocusedEdit();
    void OnUserRegister();

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnClose() override;
};

// True for a window whose class name is "Edit" in any letter case; at most five
// characters of the name are read, so longer class names never match.
bool IsEditControl(HWND hwnd);
