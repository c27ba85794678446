#pragma once

#include "platform/framework/property_page.h"

// Page 1: the licence notice and the two radio buttons that gate Next.
class VLLicensePage : public CPropertyPage {
public:
    VLLicensePage();

protected:
    BOOL OnInitDialog() override;
    // Disables Back and Next, whatever radio button is selected.
    BOOL OnSetActive() override;
    // The first time only, fills the selection page's list.
    LRESULT OnWizardNext() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    bool m_bFontListFilled = false;
};
