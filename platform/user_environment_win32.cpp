#include <windows.h>

#include <shlobj.h>

#include <cstdlib>
#include <vector>

#include "platform/system_dlls.h"
#include "platform/user_environment.h"
#include "platform/win32_handles.h"
#include "platform/win32_token.h"

namespace {

// The error's system text on one line, without the trailing line end.
std::string SystemMessage(DWORD code) {
    char buffer[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                  0, buffer, sizeof(buffer), nullptr);
    while (length > 0 &&
           (buffer[length - 1] == '\r' || buffer[length - 1] == '\n' || buffer[length - 1] == ' '))
        --length;
    if (length == 0) return "system error " + std::to_string(code);
    return std::string(buffer, length);
}

class VLWin32UserEnvironment : public IVLUserEnvironment {
public:
    uint32_t QueryBuildNumber() override {
        // GetVersionEx reports what the manifest declares; the kernel's own
        // call tells the truth. ntdll is in every process already.
        using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
        HMODULE ntdll = GetModuleHandleA("ntdll.dll");
        if (ntdll == nullptr) return 0;
        const auto getVersion = reinterpret_cast<RtlGetVersionFn>(
            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")));
        if (getVersion == nullptr) return 0;
        OSVERSIONINFOW info = {};
        info.dwOSVersionInfoSize = sizeof(info);
        if (getVersion(&info) != 0) return 0;
        return info.dwBuildNumber;
    }

    bool IsLocalSystemAccount() override {
        HANDLE rawToken = nullptr;
        if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return false;
        VLHandle token(rawToken);
        std::vector<uint8_t> buffer;
        if (!QueryTokenInformation(token.Get(), TokenUser, buffer)) return false;
        const TOKEN_USER* user = reinterpret_cast<const TOKEN_USER*>(buffer.data());
        return IsWellKnownSid(user->User.Sid, WinLocalSystemSid) != FALSE;
    }

    std::string QueryLocalAppDataFolder() override {
        // shell32 loads at run time, from the system folder only.
        using GetFolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
        static HMODULE shell32 = LoadSystemDll("shell32.dll");
        if (shell32 == nullptr) return std::string();
        const auto getFolder = reinterpret_cast<GetFolderPathFn>(
            reinterpret_cast<void*>(GetProcAddress(shell32, "SHGetFolderPathA")));
        if (getFolder == nullptr) return std::string();
        char path[MAX_PATH] = {};
        if (getFolder(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path) != S_OK)
            return std::string();
        return path;
    }

    bool IsRoot() override { return false; }

    std::optional<std::string> GetVariable(const std::string& name) override {
        const char* value = std::getenv(name.c_str());
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    }

    bool MakeFolder(const std::string& path, std::string& error) override {
        // Inherits the parent's permissions, as the per-user font folder must.
        if (CreateDirectoryA(path.c_str(), nullptr)) return true;
        const DWORD why = GetLastError();
        const DWORD attributes = GetFileAttributesA(path.c_str());
        if (why == ERROR_ALREADY_EXISTS && attributes != INVALID_FILE_ATTRIBUTES &&
            (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return true;
        error = why == ERROR_ALREADY_EXISTS ? "a file of that name is in the way" : SystemMessage(why);
        return false;
    }
};

}  // namespace

IVLUserEnvironment& GetSystemUserEnvironment() {
    static VLWin32UserEnvironment environment;
    return environment;
}
