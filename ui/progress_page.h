#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/framework/controls.h"
#include "platform/framework/property_page.h"
#include "ui/log_edit.h"

// Page 3: the progress bar of the font being installed and the installation log.
class VLFinishPage : public CPropertyPage {
public:
    VLFinishPage();

    // Appends text and CR LF at the end of the log; on the UI thread.
    void AppendLog(std::string text);
    // From the worker: queues a line for the log and returns at once; the UI
    // thread appends the queued lines, in order, when it next reads its
    // messages. Waiting on the UI thread for each line cost more than the
    // installation itself where the system is slow to pass messages.
    void QueueLog(std::string text);
    // From the worker: returns once every queued line is in the log.
    void FlushLog();
    HWND GetProgressBar() const { return m_progress.m_hWnd; }

protected:
    INT_PTR DialogProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange() override;
    BOOL OnInitDialog() override;
    // Asks for Finish only, then goes on to the registration page.
    LRESULT OnWizardNext() override;

private:
    // Appends what the worker queued (on the UI thread).
    void AppendQueuedLog();

    CProgressCtrl m_progress;
    CLogEdit m_editLog;
    std::mutex m_queueMutex;
    std::vector<std::string> m_queuedLines;
    bool m_appendPosted = false;  // an append message is on its way
};
