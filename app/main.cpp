#include <windows.h>

#include "platform/framework/win_app.h"
#include "platform/system_dlls.h"
#include "ui/installer_app.h"

// The one application object, constructed before the entry code runs.
COTFInstWinApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictDllSearchPath();
    return RunApplication(instance);
}
