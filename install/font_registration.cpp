#include "install/font_registration.h"

#include <cstring>

namespace {

constexpr uint32_t kWindowsFolderBufferSize = 260;

// "SOFTWARE\MICROSOFT\WINDOWS\CURRENTVERSION\FONTS" and its NT twin.
constexpr char kFontsKey9x[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\FONTS";
constexpr char kFontsKeyNt[] = "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS";

constexpr uint32_t kPlatformWin32s = 0;
constexpr uint32_t kPlatform9x = 1;
constexpr uint32_t kPlatformNt = 2;

}  // namespace

std::string GetWindowsFolder(IVLSystemInfo& system) {
    char buffer[kWindowsFolderBufferSize] = {};
    const uint32_t length = system.QueryWindowsDirectory(buffer, kWindowsFolderBufferSize);
    // A failed call or a path that did not fit leaves nothing usable in the buffer.
    if (length == 0 || length >= kWindowsFolderBufferSize) return std::string();
    return std::string(buffer, strnlen(buffer, length));
}

bool IsInSystemFontsFolder(IVLSystemInfo& system, const std::string& path) {
    const std::string windowsFolder = GetWindowsFolder(system);
    // Without a Windows folder the prefix would be a bare "\Fonts\".
    if (windowsFolder.empty()) return false;
    const std::string prefix = windowsFolder + "\\Fonts\\";
    if (path.size() < prefix.size()) return false;
    return path.compare(0, prefix.size(), prefix) == 0;
}

bool GetFontsRegistryKey(IVLSystemInfo& system, std::string& key) {
    key.clear();
    VLOsVersion version;
    if (!system.QueryVersion(kVersionInfoExSize, version) && !system.QueryVersion(kVersionInfoSize, version)) {
        return false;
    }
    if (version.platformId == kPlatform9x) {
        key = kFontsKey9x;
    } else if (version.platformId == kPlatformNt) {
        key = kFontsKeyNt;
    }
    return !key.empty();
}

bool RegisterFont(IVLSystemInfo& system, IVLFontRegistry& registry, const std::string& valueName,
                  const std::string& fileName) {
    std::string keyName;
    if (!GetFontsRegistryKey(system, keyName)) return false;
    std::unique_ptr<IVLRegistryKey> key = registry.OpenMachineKeyForSet(keyName);
    if (!key) return false;
    if (!key->SetStringValue(valueName, fileName)) return false;
    key.reset();
    registry.AddSessionFont(fileName);
    return true;
}

bool IsVersion6OrLater(IVLSystemInfo& system) {
    VLOsVersion version;
    system.QueryVersion(kVersionInfoExSize, version);
    return version.majorVersion >= 6;
}

int32_t GetPlatformId(IVLSystemInfo& system) {
    VLOsVersion version;
    if (!system.QueryVersion(kVersionInfoSize, version)) return -1;
    switch (version.platformId) {
    case kPlatformWin32s:
    case kPlatform9x:
    case kPlatformNt:
        return static_cast<int32_t>(version.platformId);
    default:
        return -1;
    }
}
