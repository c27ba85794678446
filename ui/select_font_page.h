#pragma once

#include <string>

#include "platform/framework/check_list_box.h"
#include "platform/framework/property_page.h"
#include "platform/win32_handles.h"

// Shows the shell's folder picker; true and path set when the user picks a
// folder, false and path unchanged when the user cancels.
bool BrowseForFolder(std::string& path);

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
    // The browse button: a new destination, unless the user cancels or lacks
    // the rights for the system font folder.
    void OnBrowse();

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Shows the destination and asks for Back and Next.
    BOOL OnSetActive() override;
    // -1 stays on the page; 0 goes on to the progress page.
    LRESULT OnWizardNext() override;
    bool OnCommand(UINT id, UINT code, HWND control) override;

private:
    // Starts the install worker after the confirmation; false when it could not start.
    bool StartInstallation();

    CCheckListBox m_listFonts;
    CFont m_fontList;
};
