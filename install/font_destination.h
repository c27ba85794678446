#pragma once

#include <string>

#include "install/font_registration.h"
#include "platform/install_platform.h"
#include "platform/system_info.h"

// How fonts placed in a destination become known to the system.
enum class VLFontRegistrationKind {
    kNone,     // only the file (a folder of the user's choosing, or natively a font folder)
    kMachine,  // the system font folder: a value under the machine's Fonts key names the file
    kUser,     // the user's font folder: a value under the user's Fonts key holds the full path
};

// Where an installation writes, chosen once before it starts.
struct VLFontDestination {
    // Shift-JIS, backslashes, no trailing separator.
    std::string folder;
    VLFontRegistrationKind registration = VLFontRegistrationKind::kNone;
};

// The wizard's rule for a folder it was given: fonts written inside the
// system font folder are registered under the machine's key, anywhere else
// not at all.
VLFontDestination DestinationForFolder(IVLSystemInfo& system, const std::string& folder);

// The same rule for one font file's path.
VLFontRegistrationKind RegistrationForPath(IVLSystemInfo& system, const std::string& path);

// The name the running session knows a font file of the destination by: the
// bare file name in the system font folder, the full path anywhere else.
std::string SessionFontName(const VLFontDestination& destination, const std::string& fileName);

// Names the file under the destination's key (as RegisterFont or
// RegisterUserFont) and adds it to the session. kNoKey for a destination that
// registers nothing.
VLRegistration RegisterAtDestination(VLInstallPlatform& platform, const VLFontDestination& destination,
                                     const std::string& valueName, const std::string& fileName);

// Whether the destination's key has the value, naming this very file.
bool IsRegisteredAtDestination(VLInstallPlatform& platform, const VLFontDestination& destination,
                               const std::string& valueName, const std::string& fileName);

// Deletes every value of the destination's key that names the file; false
// when the key cannot be opened for writing or a value stays.
bool DeleteValuesAtDestination(VLInstallPlatform& platform, const VLFontDestination& destination,
                               const std::string& fileName);
