#include "platform/framework/property_sheet.h"

#include <commctrl.h>

#include <cstring>
#include <string>

#include "platform/framework/dialog_template.h"
#include "platform/framework/resource_text.h"
#include "platform/framework/win_app.h"
#include "platform/system_dlls.h"

namespace {

// The style asked of the sheet being created; read by the pre-creation callback,
// which gets no user pointer. Sheets are created on the UI thread only.
DWORD g_pendingSheetStyle = 0;
// The pages' font, which the sheet takes over so that its dialog units (and so
// the room it leaves for a page) agree with the pages'.
VLTemplateFont g_pendingSheetFont;
bool g_hasPendingSheetFont = false;

// Rewrites the sheet's dialog template so that it becomes a visible child.
void MakeChildTemplate(void* dialogTemplate, DWORD style) {
    const DWORD removed = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
    WORD* words = static_cast<WORD*>(dialogTemplate);
    // An extended template starts with version 1 and 0xFFFF; its style is at byte 12.
    DWORD* stylePtr = words[1] == 0xFFFF ? reinterpret_cast<DWORD*>(static_cast<BYTE*>(dialogTemplate) + 12)
                                         : reinterpret_cast<DWORD*>(dialogTemplate);
    DWORD value;
    std::memcpy(&value, stylePtr, sizeof(value));
    value = (value & ~removed) | (style & (WS_CHILD | WS_VISIBLE));
    std::memcpy(stylePtr, &value, sizeof(value));
}

}  // namespace

CPropertySheet::CPropertySheet(UINT idCaption, CWnd* parent, UINT firstPage)
    : m_nIDCaption(idCaption), m_pParentWnd(parent), m_nStartPage(firstPage) {}

CPropertySheet::~CPropertySheet() {
    if (m_hWnd != nullptr && IsWindow(m_hWnd)) DestroyWindow(m_hWnd);
}

void CPropertySheet::AddPage(CPropertyPage* page) {
    page->m_pSheet = this;
    m_pages.push_back(page);
}

CPropertyPage* CPropertySheet::GetPage(int index) const {
    if (index < 0 || index >= GetPageCount()) return nullptr;
    return m_pages[static_cast<size_t>(index)];
}

bool CPropertySheet::SetActivePage(int index) {
    if (m_hWnd == nullptr) return false;
    return SendMessageA(m_hWnd, PSM_SETCURSEL, static_cast<WPARAM>(index), 0) != 0;
}

bool CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle) {
    (void)exStyle;
    if (parent != nullptr) m_pParentWnd = parent;
    std::vector<PROPSHEETPAGEA> pages(m_pages.size());
    for (size_t i = 0; i < m_pages.size(); ++i) m_pages[i]->FillPageDescription(pages[i]);

    std::string caption = LoadResString(m_nIDCaption);
    PROPSHEETHEADERA header;
    std::memset(&header, 0, sizeof(header));
    header.dwSize = sizeof(header);
    header.dwFlags = m_dwFlags | PSH_PROPSHEETPAGE | PSH_MODELESS | PSH_USECALLBACK;
    header.hwndParent = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    header.hInstance = GetModuleHandleA(nullptr);
    header.pszCaption = caption.c_str();
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = m_nStartPage;
    header.ppsp = pages.data();
    header.pfnCallback = &CPropertySheet::SheetCallback;

    g_pendingSheetStyle = style;
    g_hasPendingSheetFont =
        !m_pages.empty() && ReadDialogResourceFont(m_pages[0]->GetTemplateId(), g_pendingSheetFont);
    HWND hwnd = reinterpret_cast<HWND>(CommonControlsPropertySheet(&header));
    g_pendingSheetStyle = 0;
    g_hasPendingSheetFont = false;
    if (hwnd == nullptr || hwnd == reinterpret_cast<HWND>(-1)) return false;
    if (!SubclassWindow(hwnd)) return false;
    if (CWinApp* app = GetCurrentApp()) app->AddModelessSheet(hwnd);
    return true;
}

int CALLBACK CPropertySheet::SheetCallback(HWND, UINT message, LPARAM lParam) noexcept {
    if (message != PSCB_PRECREATE || lParam == 0) return 0;
    void* dialogTemplate = reinterpret_cast<void*>(lParam);
    if (g_hasPendingSheetFont) ReplaceTemplateFont(dialogTemplate, g_pendingSheetFont);
    if ((g_pendingSheetStyle & WS_CHILD) != 0) MakeChildTemplate(dialogTemplate, g_pendingSheetStyle);
    return 0;
}

bool CPropertySheet::OnCmdMsg(UINT) { return false; }

LRESULT CPropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED && OnCmdMsg(LOWORD(wParam))) return 0;
    if (message == WM_DESTROY) {
        if (CWinApp* app = GetCurrentApp()) app->RemoveModelessSheet(m_hWnd);
    }
    return Default(message, wParam, lParam);
}
