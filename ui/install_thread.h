#pragma once

#include "platform/framework/win_thread.h"

// The install worker: runs the install job once, then idles in its own message
// loop until the process ends. Started by the selection page; it deletes itself.
class VLInstallThread : public CWinThread {
public:
    BOOL InitInstance() override { return TRUE; }
    // The whole installation, then the thread's ordinary message loop.
    int Run() override;
};
