#include "ui/wizard_progress_bar.h"

#include <windows.h>
#include <commctrl.h>

#include "install/progress.h"
#include "ui/installer_app.h"
#include "ui/wizard_sheet.h"

namespace {

// The progress page's bar, as the install worker moves it. Only the worker
// moves the bar while it runs, so the worker keeps the position itself and
// posts each move: a request the worker waited for would cost it a trip to
// the UI thread every few thousand bytes. Posted moves arrive in order.
class CWizardProgressBar : public IVLProgressBar {
public:
    explicit CWizardProgressBar(HWND bar) : m_hBar(bar) {}
    int32_t GetPos() override {
        if (!m_bKnown) {
            m_position = static_cast<int32_t>(SendMessageA(m_hBar, PBM_GETPOS, 0, 0));
            m_bKnown = true;
        }
        return m_position;
    }
    void SetPos(int32_t position) override {
        // The bar's range is 0 to 100: it shows no other position.
        m_position = position < 0 ? 0 : (position > 100 ? 100 : position);
        m_bKnown = true;
        PostMessageA(m_hBar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    }

private:
    HWND m_hBar;
    int32_t m_position = 0;
    bool m_bKnown = false;
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
