#pragma once

#include <windows.h>
#include <prsht.h>

#include "platform/framework/dialog.h"

class CPropertySheet;

// One page of a property sheet. The sheet creates the page's window from the
// template; the page's procedure binds the object at WM_INITDIALOG through the
// page description's lParam and turns the sheet's notifications into the hooks
// below, whose answers go back through DWLP_MSGRESULT.
class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT idTemplate) : CDialog(idTemplate) {}

    // Fills the page description the sheet is created from.
    void FillPageDescription(PROPSHEETPAGEA& page);
    CPropertySheet* GetSheet() const { return m_pSheet; }

protected:
    friend class CPropertySheet;

    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Runs DoDataExchange, which binds the page's control objects.
    BOOL OnInitDialog() override;
    // Binds control objects to the page's controls by id.
    virtual void DoDataExchange() {}

    // The page becomes current. TRUE accepts it; FALSE makes the sheet skip it.
    virtual BOOL OnSetActive() { return TRUE; }
    // The page stops being current. TRUE lets it go.
    virtual BOOL OnKillActive() { return TRUE; }
    // Next pressed: 0 = go to the next page, -1 = stay, a template id = go to that page.
    virtual LRESULT OnWizardNext() { return 0; }
    // Back pressed: same meanings as OnWizardNext.
    virtual LRESULT OnWizardBack() { return 0; }
    // Finish pressed: TRUE lets the sheet finish, FALSE keeps it.
    virtual BOOL OnWizardFinish() { return TRUE; }

    static INT_PTR CALLBACK PageProcThunk(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

private:
    CPropertySheet* m_pSheet = nullptr;
};
