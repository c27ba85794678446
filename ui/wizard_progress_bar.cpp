#include "ui/wizard_progress_bar.h"

#include <windows.h>
#include <commctrl.h>

#include "install/progress.h"
#include "ui/installer_app.h"
#include "ui/wizard_sheet.h"

namespace {

// The progress page's bar; each call is a synchronous request to the UI thread.
class CWizardProgressBar : public IVLProgressBar {
public:
    explicit CWizardProgressBar(HWND bar) : m_hBar(bar) {}
    int32_t GetPos() override { return static_cast<int32_t>(SendMessageA(m_hBar, PBM_GETPOS, 0, 0)); }
    void SetPos(int32_t position) override {
        SendMessageA(m_hBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }

private:
    HWND m_hBar;
};

}  // namespace

void BindProgressBarToWizard() {
    SetProgressBarLookup([]() -> IVLProgressBar* {
        COTFInstWinApp* app = GetInstApp();
        if (app == nullptr || !app->m_pSheet) return nullptr;
        HWND bar = app->m_pSheet->GetFinishPage()->GetProgressBar();
        if (bar == nullptr) return nullptr;
        // Kept for the rest of the process, as the bar itself is.
        static CWizardProgressBar wizardBar(bar);
        return &wizardBar;
    });
}
