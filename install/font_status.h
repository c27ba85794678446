#pragma once

#include <cstdint>
#include <string>

#include "catalogue/package_info.h"
#include "codec/byte_buffer.h"
#include "codec/font_version.h"
#include "install/font_codec.h"
#include "install/font_destination.h"
#include "install/font_installer.h"
#include "install/font_naming.h"
#include "platform/install_platform.h"

// Where one font of a package stands at a destination. Whether an installed
// file is the package's is decided by comparing it with the package's own
// decoded font: nothing else records what was installed.
enum class VLFontState {
    kInstalled,     // identical file, and where fonts are registered its value names it
    kUnregistered,  // identical file in the system font folder, its value missing or naming another file
    kMissing,       // no file of that name
    kOlder,         // another file of that name with a lower version
    kNewer,         // another file of that name with a higher version
    kDifferent,     // another file of that name, same or unknown version
    kUnavailable,   // the package's font cannot be decoded or its name is refused
};

// "installed", "unregistered", ...
const char* FontStateName(VLFontState state);

// What install or uninstall did with one font.
enum class VLLifeOutcome {
    kNothingToDo,
    kInstalled,
    kAlreadyInstalled,
    kRegistered,
    kUpgraded,
    kUpgradeAtRestart,
    kRemoved,
    kRemoveAtRestart,
    kLeftAlone,
    kFailed,
};

// "nothing-to-do", "installed", "already-installed", ...
const char* LifeOutcomeName(VLLifeOutcome outcome);

// Why a package font is unavailable, where the log says more.
enum class VLUnavailableReason { kNone, kUnsafeName, kUnknownFontType, kUndecodable };

// One chosen font of the package at the destination.
struct VLFontEntry {
    int32_t index = 0;
    const VLFontInfo* font = nullptr;
    std::string sourcePath;  // its .cmp file
    std::string destPath;
    VLFontNames names;
    VLFontState state = VLFontState::kMissing;
    VLUnavailableReason unavailable = VLUnavailableReason::kNone;
    // Known once the package's font has been decoded / the installed file read.
    bool hasPackageVersion = false;
    VLFontVersion packageVersion;
    bool hasInstalledVersion = false;
    VLFontVersion installedVersion;
    VLLifeOutcome outcome = VLLifeOutcome::kNothingToDo;
    // Why a font failed, where the installer's log has a line for it.
    VLFontOutcome failure = VLFontOutcome::kFailed;
    // A line for the user (English, UTF-8) when there is more to say.
    std::string message;
    // Damage that did not stop the font (a stale table checksum).
    std::string warning;
};

// The buffer a font is decoded into: the codec's kept one, else own.
VLReusableBuffer& FontBufferOf(const VLFontCodec& codec, VLReusableBuffer& own);

// The package's own font, read, decoded, descrambled and checked as the
// installer does, into font (its checksum byte last). False, with problem
// set, when the font cannot be had; damage that does not stop it goes to
// warning.
bool DecodePackageFont(VLInstallPlatform& platform, const VLFontCodec& codec, const VLFontEntry& entry,
                       VLReusableBuffer& font, std::string& problem, std::string* warning = nullptr);

// Names and paths of font index of the package. fontDataDir may end with a
// backslash. A name that is not a plain file name, a path too long or an
// unknown font type leaves the entry unavailable.
VLFontEntry MakeFontEntry(VLInstallPlatform& platform, const VLPackageInfo& package, int32_t index,
                          const std::string& fontDataDir, const VLFontDestination& destination);

// Sets entry.state. The package's font is decoded when a file of its name
// exists, or always with decodeMissing (which tells an undecodable font from a
// missing one).
void ClassifyFont(VLInstallPlatform& platform, const VLFontCodec& codec, const VLFontDestination& destination,
                  VLFontEntry& entry, bool decodeMissing);
