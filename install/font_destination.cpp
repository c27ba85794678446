#include "install/font_destination.h"

#include <memory>

namespace {

std::string FullPathOf(const VLFontDestination& destination, const std::string& fileName) {
    return destination.folder + "\\" + fileName;
}

// Whether a value's data names the destination's file, as its key's values do.
bool NamesFile(VLInstallPlatform& platform, const VLFontDestination& destination, const std::string& data,
               const std::string& fileName) {
    if (destination.registration == VLFontRegistrationKind::kUser)
        return UserFontValueNamesFile(data, FullPathOf(destination, fileName));
    return FontValueNamesFile(platform.system, data, fileName);
}

std::unique_ptr<IVLRegistryKey> OpenKey(VLInstallPlatform& platform, const VLFontDestination& destination,
                                        bool forSet) {
    if (destination.registration == VLFontRegistrationKind::kUser) {
        return forSet ? platform.registry.OpenUserKeyForSet(kUserFontsKey)
                      : platform.registry.OpenUserKeyForRead(kUserFontsKey);
    }
    std::string keyName;
    if (destination.registration != VLFontRegistrationKind::kMachine ||
        !GetFontsRegistryKey(platform.system, keyName))
        return nullptr;
    return forSet ? platform.registry.OpenMachineKeyForSet(keyName)
                  : platform.registry.OpenMachineKeyForRead(keyName);
}

}  // namespace

VLFontDestination DestinationForFolder(IVLSystemInfo& system, const std::string& folder) {
    return VLFontDestination{folder, RegistrationForPath(system, folder + "\\")};
}

VLFontRegistrationKind RegistrationForPath(IVLSystemInfo& system, const std::string& path) {
    return IsInSystemFontsFolder(system, path) ? VLFontRegistrationKind::kMachine
                                               : VLFontRegistrationKind::kNone;
}

std::string SessionFontName(const VLFontDestination& destination, const std::string& fileName) {
    return destination.registration == VLFontRegistrationKind::kUser ? FullPathOf(destination, fileName)
                                                                     : fileName;
}

VLRegistration RegisterAtDestination(VLInstallPlatform& platform, const VLFontDestination& destination,
                                     const std::string& valueName, const std::string& fileName) {
    switch (destination.registration) {
        case VLFontRegistrationKind::kMachine:
            return RegisterFont(platform.system, platform.registry, valueName, fileName);
        case VLFontRegistrationKind::kUser:
            return RegisterUserFont(platform.registry, valueName, FullPathOf(destination, fileName));
        case VLFontRegistrationKind::kNone:
            break;
    }
    return VLRegistration::kNoKey;
}

bool IsRegisteredAtDestination(VLInstallPlatform& platform, const VLFontDestination& destination,
                               const std::string& valueName, const std::string& fileName) {
    const std::unique_ptr<IVLRegistryKey> key = OpenKey(platform, destination, false);
    std::string data;
    return key && key->QueryStringValue(valueName, data) == IVLRegistryKey::Query::kFound &&
           NamesFile(platform, destination, data, fileName);
}

bool DeleteValuesAtDestination(VLInstallPlatform& platform, const VLFontDestination& destination,
                               const std::string& fileName) {
    const std::unique_ptr<IVLRegistryKey> key = OpenKey(platform, destination, true);
    if (!key) return false;
    bool all = true;
    for (const std::string& name : key->ValueNames()) {
        std::string data;
        if (key->QueryStringValue(name, data) != IVLRegistryKey::Query::kFound) continue;
        if (NamesFile(platform, destination, data, fileName) && !key->DeleteValue(name)) all = false;
    }
    return all;
}
