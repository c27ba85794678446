#include "ui/wizard_buttons.h"

#include <prsht.h>

#include "app/otf_inst_win_app.h"
#include "ui/my_property_sheet.h"

void PostWizardButtons(DWORD flags) {
    COTFInstWinApp* app = GetInstApp();
    if (app == nullptr || !app->m_pSheet) return;
    PostMessageA(app->m_pSheet->m_hWnd, PSM_SETWIZBUTTONS, 0, static_cast<LPARAM>(flags));
}
