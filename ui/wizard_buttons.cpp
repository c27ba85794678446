#include "ui/wizard_buttons.h"

#include <prsht.h>

#include "ui/installer_app.h"
#include "ui/wizard_sheet.h"

void PostWizardButtons(DWORD flags) {
    COTFInstWinApp* app = GetInstApp();
    if (app == nullptr || !app->m_pSheet) return;
    PostMessageA(app->m_pSheet->m_hWnd, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}
