#include "platform/framework/message_box.h"

#include <cstdio>
#include <string>

#include "platform/framework/resource_text.h"
#include "platform/framework/string_ids.h"
#include "platform/framework/win_app.h"

int ShowAppMessageBox(const char* text, UINT type) {
    UINT buttons = type & MB_TYPEMASK;
    if ((type & MB_ICONMASK) == 0 && (buttons == MB_OK || buttons == MB_OKCANCEL)) type |= MB_ICONEXCLAMATION;

    HWND owner = nullptr;
    CWinApp* app = GetCurrentApp();
    HWND main = app != nullptr ? app->GetMainHwnd() : nullptr;
    // A worker's box must not disable the UI thread's window.
    if (main != nullptr && IsWindow(main) && GetWindowThreadProcessId(main, nullptr) == GetCurrentThreadId())
        owner = main;
    std::string caption = LoadResString(IDS_APP_TITLE);
    return MessageBoxA(owner, text, caption.c_str(), type);
}

int MessageBoxById(UINT id, UINT type) {
    std::string text = LoadResString(id);
    return ShowAppMessageBox(text.c_str(), type);
}

int MessageBoxFormatted(UINT id, int value, UINT type) {
    std::string format = LoadResString(id);
    char text[2048] = {};
    // The format comes from our own string table and takes exactly one %d.
    std::snprintf(text, sizeof(text), format.c_str(), value);
    return ShowAppMessageBox(text, type);
}
