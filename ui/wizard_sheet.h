#pragma once

#include "platform/framework/property_sheet.h"
#include "ui/license_page.h"
#include "ui/progress_page.h"
#include "ui/select_font_page.h"
#include "ui/user_reg_page.h"
#include "ui/welcome_page.h"

// Page indices of the wizard.
enum VLWizardPage : int {
    kSplashPage = 0,
    kLicensePage = 1,
    kSelectFontPage = 2,
    kFinishPage = 3,
    kUserRegPage = 4,
};

// The installer's wizard: five pages in a fixed order, a child of the form view.
// Cancel never reaches the base sheet: it becomes a close request to the main window.
class CMyPropertySheet : public CPropertySheet {
public:
    explicit CMyPropertySheet(CWnd* parent);

    // Makes every page current once, in index order, then the welcome page, so
    // that every page's window exists before the user sees the wizard.
    void RunStartupPass();

    VLSelectFontPage* GetSelectFontPage() const {
        return static_cast<VLSelectFontPage*>(GetPage(kSelectFontPage));
    }
    VLFinishPage* GetFinishPage() const { return static_cast<VLFinishPage*>(GetPage(kFinishPage)); }

    bool OnCmdMsg(UINT id) override;

private:
    VLSplashPage m_splashPage;
    VLLicensePage m_licensePage;
    VLSelectFontPage m_selectFontPage;
    VLFinishPage m_finishPage;
    CUserRegPage m_userRegPage;
};
