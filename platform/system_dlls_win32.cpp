#include "platform/system_dlls.h"

#include <string>

void RestrictDllSearchPath() {
    // Systems from Windows 8 on (and 7 with its update) have the call; look it
    // up, as older ones would refuse to start with it imported.
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault != nullptr) setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32);
    SetDllDirectoryA("");
}

namespace {

// Searched as RestrictDllSearchPath left it; the activation context of the
// program's manifest picks version 6.
FARPROC CommonControlsProc(const char* name) {
    static HMODULE comctl32 = LoadLibraryA("comctl32.dll");
    return comctl32 != nullptr ? GetProcAddress(comctl32, name) : nullptr;
}

}  // namespace

BOOL CommonControlsInit(const INITCOMMONCONTROLSEX* controls) {
    using Fn = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init =
        reinterpret_cast<Fn>(reinterpret_cast<void*>(CommonControlsProc("InitCommonControlsEx")));
    return init != nullptr ? init(controls) : FALSE;
}

INT_PTR CommonControlsPropertySheet(const PROPSHEETHEADERA* header) {
    using Fn = INT_PTR(WINAPI*)(const PROPSHEETHEADERA*);
    const auto sheet = reinterpret_cast<Fn>(reinterpret_cast<void*>(CommonControlsProc("PropertySheetA")));
    return sheet != nullptr ? sheet(header) : -1;
}

HMODULE LoadSystemDll(const char* name) {
    if (HMODULE module = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) return module;
    // Without that flag (older systems): the full path in the system folder.
    char folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryA((std::string(folder) + "\\" + name).c_str());
}
