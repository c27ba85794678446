#include "platform/framework/frame_wnd.h"

#include "platform/framework/document.h"
#include "platform/framework/form_view.h"
#include "platform/framework/resource_text.h"
#include "platform/framework/win_app.h"

namespace {
const char kFrameClass[] = "VLFrameWnd";

bool RegisterFrameClass(HINSTANCE instance, UINT idIcon) {
    WNDCLASSA existing;
    if (GetClassInfoA(instance, kFrameClass, &existing)) return true;
    WNDCLASSA wc = {};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(idIcon));
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kFrameClass;
    return RegisterClassA(&wc) != 0;
}
}  // namespace

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA&) { return TRUE; }

bool CFrameWnd::LoadFrame(UINT idResource, DWORD defaultStyle) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterFrameClass(instance, idResource)) return false;
    std::string templateText = LoadResString(idResource);
    m_strTitle = templateText.substr(0, templateText.find('\n'));
    m_hAccelTable = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(idResource));

    CREATESTRUCTA cs = {};
    cs.style = defaultStyle;
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    cs.hMenu = LoadMenuA(instance, MAKEINTRESOURCEA(idResource));
    cs.hInstance = instance;
    cs.lpszName = m_strTitle.c_str();
    cs.lpszClass = kFrameClass;
    if (!PreCreateWindow(cs)) return false;
    HWND hwnd = CreateWindowExA(cs.dwExStyle, kFrameClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                cs.hwndParent, cs.hMenu, instance, nullptr);
    if (hwnd == nullptr) return false;
    // The class's procedure is the system default so that the window can exist
    // before the object binds; from here on it is ours.
    return SubclassWindow(hwnd);
}

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pActiveView != nullptr ? m_pActiveView->GetDocument() : nullptr;
}

void CFrameWnd::OnUpdateFrameTitle() {
    if (m_hWnd == nullptr) return;
    std::string caption = m_strTitle;
    CDocument* document = GetActiveDocument();
    if ((GetWindowLongA(m_hWnd, GWL_STYLE) & FWS_ADDTOTITLE) != 0 && document != nullptr)
        caption += " - " + document->GetTitle();
    SetWindowTextA(m_hWnd, caption.c_str());
}

void CFrameWnd::RecalcLayout() {
    if (m_pActiveView == nullptr || m_pActiveView->m_hWnd == nullptr) return;
    RECT client;
    GetClientRect(m_hWnd, &client);
    MoveWindow(m_pActiveView->m_hWnd, 0, 0, client.right, client.bottom, TRUE);
}

bool CFrameWnd::RouteCommand(UINT id) {
    if (m_pActiveView != nullptr && m_pActiveView->OnCmdMsg(id)) return true;
    if (OnCmdMsg(id)) return true;
    CDocument* document = GetActiveDocument();
    if (document != nullptr && document->OnCmdMsg(id)) return true;
    CWinApp* app = GetCurrentApp();
    return app != nullptr && app->OnCmdMsg(id);
}

bool CFrameWnd::RouteUpdateCmdUI(UINT id, bool& enabled) {
    if (m_pActiveView != nullptr && m_pActiveView->OnUpdateCmdUI(id, enabled)) return true;
    if (OnUpdateCmdUI(id, enabled)) return true;
    CDocument* document = GetActiveDocument();
    if (document != nullptr && document->OnUpdateCmdUI(id, enabled)) return true;
    CWinApp* app = GetCurrentApp();
    return app != nullptr && app->OnUpdateCmdUI(id, enabled);
}

void CFrameWnd::UpdateMenuItems(HMENU menu) {
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        UINT id = GetMenuItemID(menu, i);
        if (id == 0 || id == static_cast<UINT>(-1)) continue;  // separator or popup
        bool enabled = false;
        if (!RouteUpdateCmdUI(id, enabled)) enabled = false;
        EnableMenuItem(menu, static_cast<UINT>(i), MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

void CFrameWnd::OnClose() { DestroyWindow(m_hWnd); }

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_COMMAND:
            if (lParam == 0) {
                RouteCommand(LOWORD(wParam));
                return 0;
            }
            break;
        case WM_INITMENUPOPUP:
            if (HIWORD(lParam) == 0) UpdateMenuItems(reinterpret_cast<HMENU>(wParam));
            return 0;
        case WM_SIZE:
            RecalcLayout();
            return 0;
        case WM_SETFOCUS:
            if (m_pActiveView != nullptr && m_pActiveView->m_hWnd != nullptr) {
                SetFocus(m_pActiveView->m_hWnd);
                return 0;
            }
            break;
        case WM_DESTROY: {
            CWinApp* app = GetCurrentApp();
            if (app != nullptr && app->m_pMainWnd == this) PostQuitMessage(0);
            break;
        }
        default:
            break;
    }
    return Default(message, wParam, lParam);
}
