#include "ui/wizard_view.h"

#include "platform/framework/document.h"
#include "platform/framework/frame_wnd.h"
#include "platform/framework/resource_text.h"
#include "resources/resource.h"
#include "ui/installer_app.h"
#include "ui/wizard_sheet.h"

namespace {
// Space right of and below the wizard's Cancel button, in pixels.
const int kWizardMargin = 20;
}  // namespace

COTFInstWinView::COTFInstWinView() : CFormView(IDD_OTFINSTWIN_FORM) {}

void COTFInstWinView::OnInitialUpdate() {
    GetDocument()->SetTitle(LoadResString(IDS_DOCUMENT_TITLE));
    CFormView::OnInitialUpdate();

    COTFInstWinApp* app = GetInstApp();
    if (!app->m_pSheet) {
        app->m_pSheet = std::make_unique<CMyPropertySheet>(this);
        CMyPropertySheet* sheet = app->m_pSheet.get();
        if (sheet->Create(this, WS_CHILD | WS_VISIBLE, 0)) {
            RECT client;
            GetClientRect(sheet->m_hWnd, &client);
            SetWindowPos(sheet->m_hWnd, HWND_TOP, 0, 0, client.right, client.bottom, SWP_SHOWWINDOW);

            RECT cancel = {};
            GetWindowRect(::GetDlgItem(sheet->m_hWnd, IDCANCEL), &cancel);
            MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&cancel), 2);
            SetScrollSizes(MM_TEXT, SIZE{cancel.right + kWizardMargin, cancel.bottom + kWizardMargin});

            sheet->RunStartupPass();
        }
    }
    GetParentFrame()->RecalcLayout();
    ResizeParentToFit(true);
}
