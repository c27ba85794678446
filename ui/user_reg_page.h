#pragma once

#include "platform/framework/property_page.h"
#include "resources/resource.h"
#include "ui/hyper_link_static.h"

// Page 4: the invitation to register and its link; Finish closes the program.
class CUserRegPage : public CPropertyPage {
public:
    CUserRegPage() : CPropertyPage(IDD_USER_REG_PAGE) {}

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Asks the main window to close and keeps the sheet.
    BOOL OnWizardFinish() override;

private:
    CHyperLinkStatic m_link;
};
