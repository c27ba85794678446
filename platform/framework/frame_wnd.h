#pragma once

#include <windows.h>

#include <string>

#include "platform/framework/wnd.h"

class CDocument;
class CFormView;

// A frame style bit of the framework: the caption shows the frame's title, " - "
// and the document's title.
constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

// The main window: menu and accelerators of one resource id, the caption rule,
// the view filling the client area, command routing (view, frame, document,
// application) and the menu items' enable states from the same route.
class CFrameWnd : public CWnd {
public:
    // Creates the window; its title is the first part of string idResource, its
    // menu and accelerators are resources idResource.
    bool LoadFrame(UINT idResource, DWORD defaultStyle);

    HACCEL GetAccelTable() const { return m_hAccelTable; }
    void SetActiveView(CFormView* view) { m_pActiveView = view; }
    CFormView* GetActiveView() const { return m_pActiveView; }
    CDocument* GetActiveDocument() const;
    void OnUpdateFrameTitle();
    // Gives the view the whole client area.
    void RecalcLayout();

    // Carries a command through the route; false when nobody handles it.
    bool RouteCommand(UINT id);
    bool RouteUpdateCmdUI(UINT id, bool& enabled);

    std::string m_strTitle;

protected:
    // Adjusts the creation parameters before the window is made.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);
    // The close request; the base destroys the window.
    virtual void OnClose();
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void UpdateMenuItems(HMENU menu);

    HACCEL m_hAccelTable = nullptr;
    CFormView* m_pActiveView = nullptr;
};
