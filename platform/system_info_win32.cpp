#include "platform/win32_services.h"

#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/win32_handles.h"
#include "platform/win32_token.h"

uint32_t VLWin32SystemInfo::QueryWindowsDirectory(char* buffer, uint32_t size) {
    return GetWindowsDirectoryA(buffer, size);
}

bool VLWin32SystemInfo::QueryVersion(uint32_t structSize, VLOsVersion& version) {
    // The extended structure begins with the basic one, so one zero-filled
    // buffer of the larger size serves both queries.
    OSVERSIONINFOEXA info;
    static_assert(sizeof(OSVERSIONINFOEXA) == kVersionInfoExSize, "extended version structure");
    static_assert(sizeof(OSVERSIONINFOA) == kVersionInfoSize, "basic version structure");
    if (structSize != kVersionInfoExSize && structSize != kVersionInfoSize) return false;
    std::memset(&info, 0, sizeof(info));
    info.dwOSVersionInfoSize = structSize;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const BOOL ok = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    if (!ok) return false;
    version.majorVersion = info.dwMajorVersion;
    version.platformId = info.dwPlatformId;
    return true;
}

bool VLWin32SystemInfo::IsAdministrator() {
    VLHandle process(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, GetCurrentProcessId()));
    if (!process) return false;
    HANDLE rawToken = nullptr;
    if (!OpenProcessToken(process.Get(), TOKEN_QUERY, &rawToken)) return false;
    VLHandle token(rawToken);
    process.Reset();

    std::vector<uint8_t> buffer;
    if (!QueryTokenInformation(token.Get(), TokenGroups, buffer)) return false;

    const TOKEN_GROUPS* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    for (DWORD i = 0; i < groups->GroupCount; ++i) {
        char name[128];
        char domain[128];
        DWORD nameSize = sizeof(name);
        DWORD domainSize = sizeof(domain);
        SID_NAME_USE use;
        if (LookupAccountSidA(nullptr, groups->Groups[i].Sid, name, &nameSize, domain, &domainSize, &use) &&
            lstrcmpiA(name, "Administrators") == 0) {
            return true;
        }
    }
    return false;
}
