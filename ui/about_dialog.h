#pragma once

#include "platform/framework/dialog.h"
#include "resources/resource.h"

// The About box: icon, version and notice; OK or Escape closes it.
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
