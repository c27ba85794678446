#pragma once

#include "platform/file_system.h"
#include "platform/font_registry.h"
#include "platform/system_info.h"

// The three services the installation engine runs on.
struct VLInstallPlatform {
    IVLSystemInfo& system;
    IVLFontRegistry& registry;
    IVLFileSystem& files;
};

// The running system's implementation (Win32 in the Windows build; POSIX
// stand-ins natively, where no registry exists). Lives for the whole process.
VLInstallPlatform& GetSystemInstallPlatform();
