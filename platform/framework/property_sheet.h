#pragma once

#include <windows.h>
#include <prsht.h>

#include <vector>

#include "platform/framework/property_page.h"
#include "platform/framework/wnd.h"

// A property sheet in classic wizard mode. Create makes it modeless; a sheet
// created with WS_CHILD becomes a child window of its parent, because the
// sheet's template is rewritten before the system creates the window.
class CPropertySheet : public CWnd {
public:
    // idCaption: the string-table id of the sheet's caption.
    CPropertySheet(UINT idCaption, CWnd* parent, UINT firstPage);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    bool SetActivePage(int index);

    // parent null: the parent given at construction.
    bool Create(CWnd* parent, DWORD style, DWORD exStyle);

    // Window messages of the sheet window pass here before the system's sheet.
    // A command handled here is not seen by the sheet.
    bool OnCmdMsg(UINT id) override;

    // The wizard flag and any others the sheet is created with (PSH_*).
    DWORD m_dwFlags = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT message, LPARAM lParam) noexcept;

    UINT m_nIDCaption;
    CWnd* m_pParentWnd;
    UINT m_nStartPage;
    std::vector<CPropertyPage*> m_pages;
};
