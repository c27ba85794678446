#include "platform/install_platform.h"

#include "platform/win32_services.h"

VLInstallPlatform& GetSystemInstallPlatform() {
    static CVLWin32SystemInfo system;
    static CVLWin32FontRegistry registry;
    static CVLWin32FileSystem files;
    static VLInstallPlatform platform{system, registry, files};
    return platform;
}
