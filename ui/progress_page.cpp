#include "ui/progress_page.h"

#include <prsht.h>
#include "platform/system_dlls.h"
#include "resources/resource.h"
#include "ui/wizard_buttons.h"

namespace {
// Far above two lines per font of any package; the default limit (about 30 000
// bytes) would silently drop the end of a long log.
const UINT kLogLimit = 0x7FFFFFFE;
// Asks the page to append the lines the worker queued.
const UINT kAppendQueuedLog = WM_APP + 1;
}  // namespace

VLFinishPage::VLFinishPage() : CPropertyPage(IDD_FINISH_PAGE) {}

void VLFinishPage::DoDataExchange() {
    m_progress.SubclassDlgItem(IDC_PROGRESS, m_hWnd);
    m_editLog.SubclassDlgItem(IDC_INSTALL_LOG, m_hWnd);
}

BOOL VLFinishPage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_progress.SetRange32(0, 100);
    m_progress.SetStep(1);
    // The classic segmented bar, also where the system would theme it (Wine
    // does, and its themed drawing makes every position change costly).
    // uxtheme.dll comes from the system folder only (platform/system_dlls.h).
    using SetWindowThemeFn = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    if (HMODULE uxtheme = LoadSystemDll("uxtheme.dll")) {
        const auto setTheme = reinterpret_cast<SetWindowThemeFn>(
            reinterpret_cast<void*>(GetProcAddress(uxtheme, "SetWindowTheme")));
        if (setTheme != nullptr) setTheme(m_progress.m_hWnd, L" ", L" ");
    }
    // The unthemed bar's frame differs from the themed one's: have it redrawn.
    SetWindowPos(m_progress.m_hWnd, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    m_editLog.SetLimitText(kLogLimit);
    return TRUE;
}

void VLFinishPage::AppendLog(std::string text) {
    const int length = m_editLog.GetWindowTextLength();
    m_editLog.SetSel(length, length);
    m_editLog.ScrollCaret();
    text += "\r\n";
    m_editLog.ReplaceSel(text.c_str(), false);
}

void VLFinishPage::QueueLog(std::string text) {
    bool post = false;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        m_queuedLines.push_back(std::move(text));
        post = !m_appendPosted;
        m_appendPosted = true;
    }
    if (post) PostMessageA(m_hWnd, kAppendQueuedLog, 0, 0);
}

void VLFinishPage::FlushLog() {
    // A sent message is handled before the posted ones, so this appends
    // everything queued so far; a later posted one finds nothing left.
    SendMessageA(m_hWnd, kAppendQueuedLog, 0, 0);
}

void VLFinishPage::AppendQueuedLog() {
    std::vector<std::string> lines;
    {
        std::lock_guard<std::mutex> lock(m_queueMutex);
        lines.swap(m_queuedLines);
        m_appendPosted = false;
    }
    if (lines.empty()) return;
    // Several lines at once read as they would one by one.
    std::string text = std::move(lines.front());
    for (size_t i = 1; i < lines.size(); ++i) text += "\r\n" + lines[i];
    AppendLog(std::move(text));
}

INT_PTR VLFinishPage::DialogProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kAppendQueuedLog) {
        AppendQueuedLog();
        return TRUE;
    }
    return CPropertyPage::DialogProc(message, wParam, lParam);
}

LRESULT VLFinishPage::OnWizardNext() {
    PostWizardButtons(PSWIZB_FINISH);
    return 0;
}
