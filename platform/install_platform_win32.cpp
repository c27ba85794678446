#include "platform/install_platform.h"

#include "platform/win32_services.h"

VLInstallPlatform& GetSystemInstallPlatform() {
    static VLWin32SystemInfo system;
    static VLWin32FontRegistry registry;
    static VLWin32FileSystem files;
    static VLInstallPlatform platform{system, registry, files};
    return platform;
}
