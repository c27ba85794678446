#include "install/font_registration.h"

#include <cctype>
#include <cstring>

#include "platform/shift_jis.h"

namespace {

// "SOFTWARE\MICROSOFT\WINDOWS\CURRENTVERSION\FONTS" and its NT twin.
constexpr char kFontsKey9x[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\FONTS";
constexpr char kFontsKeyNt[] = "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS";

constexpr uint32_t kPlatformWin32s = 0;
constexpr uint32_t kPlatform9x = 1;
constexpr uint32_t kPlatformNt = 2;

// Whether a Fonts value's data names the font file at fullPath: by its bare
// name or by its full path, in any case, as the system compares file names.
bool NamesSameFile(const std::string& data, const std::string& fullPath) {
    const auto sameIgnoringCase = [](const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return false;
        for (size_t i = 0; i < a.size(); ++i) {
            if (IsShiftJisLeadByte(static_cast<uint8_t>(a[i]))) {
                // A double-byte character matches only itself.
                if (a[i] != b[i] || (i + 1 < a.size() && a[i + 1] != b[i + 1])) return false;
                ++i;
                continue;
            }
            const char x = static_cast<char>(std::tolower(static_cast<unsigned char>(a[i])));
            const char y = static_cast<char>(std::tolower(static_cast<unsigned char>(b[i])));
            if (x != y) return false;
        }
        return true;
    };
    const size_t cut = FindLastSingleByte(fullPath, '\\');
    const std::string bareName = cut == std::string::npos ? fullPath : fullPath.substr(cut + 1);
    return sameIgnoringCase(data, bareName) || sameIgnoringCase(data, fullPath);
}

}  // namespace

VLWindowsFolder QueryWindowsFolder(IVLSystemInfo& system) {
    char buffer[kWindowsFolderBufferSize] = {};
    VLWindowsFolder folder;
    folder.reportedLength = system.QueryWindowsDirectory(buffer, kWindowsFolderBufferSize);
    // A failed call or a path that did not fit leaves nothing usable in the buffer.
    if (folder.reportedLength != 0 && folder.reportedLength < kWindowsFolderBufferSize) {
        folder.path.assign(buffer, strnlen(buffer, folder.reportedLength));
    }
    return folder;
}

std::string GetWindowsFolder(IVLSystemInfo& system) { return QueryWindowsFolder(system).path; }

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
    if (!system.QueryVersion(kVersionInfoExSize, version) &&
        !system.QueryVersion(kVersionInfoSize, version)) {
        return false;
    }
    if (version.platformId == kPlatform9x) {
        key = kFontsKey9x;
    } else if (version.platformId == kPlatformNt) {
        key = kFontsKeyNt;
    }
    return !key.empty();
}

VLRegistration RegisterFont(IVLSystemInfo& system, IVLFontRegistry& registry, const std::string& valueName,
                            const std::string& fileName) {
    std::string keyName;
    if (!GetFontsRegistryKey(system, keyName)) return VLRegistration::kNoKey;
    std::unique_ptr<IVLRegistryKey> key = registry.OpenMachineKeyForSet(keyName);
    if (!key) return VLRegistration::kNoKey;
    std::string existing;
    bool created = false;
    switch (key->QueryStringValue(valueName, existing)) {
        case IVLRegistryKey::Query::kFound:
            if (!NamesSameFile(existing, GetWindowsFolder(system) + "\\Fonts\\" + fileName)) {
                return VLRegistration::kNameTaken;
            }
            break;
        case IVLRegistryKey::Query::kError:
            // Unreadable as a file name: not ours to replace.
            return VLRegistration::kNameTaken;
        case IVLRegistryKey::Query::kMissing:
            if (!key->SetStringValue(valueName, fileName)) return VLRegistration::kValueNotSet;
            created = true;
            break;
    }
    key.reset();
    if (registry.AddSessionFont(fileName)) return VLRegistration::kRegistered;
    if (created) {
        // A value naming a font the system refuses would only fail at the next start.
        if (std::unique_ptr<IVLRegistryKey> again = registry.OpenMachineKeyForSet(keyName))
            again->DeleteValue(valueName);
    }
    return VLRegistration::kSessionRefused;
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

bool FontValueNamesFile(IVLSystemInfo& system, const std::string& data, const std::string& fileName) {
    return NamesSameFile(data, GetWindowsFolder(system) + "\\Fonts\\" + fileName);
}
