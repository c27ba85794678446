#pragma once

#include <string>

#include "platform/framework/controls.h"
#include "platform/framework/property_page.h"
#include "ui/log_edit.h"

// Page 3: the progress bar of the font being installed and the installation log.
class VLFinishPage : public CPropertyPage {
public:
    VLFinishPage();

    // Appends text and CR LF at the end of the log; a synchronous request when
    // called from the worker.
    void AppendLog(std::string text);
    HWND GetProgressBar() const { return m_progress.m_hWnd; }

protected:
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Asks for Finish only, then goes on to the registration page.
    LRESULT OnWizardNext() override;

private:
    CProgressCtrl m_progress;
    CLogEdit m_editLog;
};
