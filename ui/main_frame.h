#pragma once

#include "platform/framework/frame_wnd.h"

// The main window: caption, menu, clipboard commands on the focused edit
// control, the registration command and the close rules.
class CMainFrame : public CFrameWnd {
public:
    bool OnCmdMsg(UINT id) override;
    bool OnUpdateCmdUI(UINT id, bool& enabled) override;

    void OnUserRegister();

protected:
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    void OnClose() override;
};
