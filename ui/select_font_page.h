#pragma once

#include <string>

#include "platform/framework/check_list_box.h"
#include "platform/framework/handles.h"
#include "platform/framework/property_page.h"

// Page 2: product name, destination folder and the font list with check marks.
// Entry i of the list always stands for font i of the current package.
class VLSelectFontPage : public CPropertyPage {
public:
    VLSelectFontPage();

    // Lists every font of the current package, in order and checked, and shows
    // the product name.
    void FillFontList();
    // True exactly when entry index is checked; callable from the worker thread.
    bool IsFontChecked(int index) const;

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Shows the destination and asks for Back and Next.
    BOOL OnSetActive() override;
    // -1 stays on the page; 0 goes on to the progress page.
    LRESULT OnWizardNext() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    int CountCheckedFonts() const;

    CCheckListBox m_listFonts;
    CFont m_fontList;
};
