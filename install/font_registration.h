#pragma once

#include <cstdint>
#include <string>

#include "platform/font_registry.h"
#include "platform/system_info.h"

// The one query of the Windows folder: what the system reports into a
// 260-byte buffer.
VLWindowsFolder QueryWindowsFolder(IVLSystemInfo& system);

// The Windows folder as the system reports it, without a trailing backslash
// added; empty when it cannot be read or does not fit.
std::string GetWindowsFolder(IVLSystemInfo& system);

// Whether the path starts with the Windows folder + "\Fonts\", compared byte by
// byte and case-sensitively. A folder path must end with a backslash to match;
// a path shorter than the prefix never does.
bool IsInSystemFontsFolder(IVLSystemInfo& system, const std::string& path);

// The Fonts key below HKEY_LOCAL_MACHINE for the system family: platform 1 (9x)
// and 2 (NT) have one; any other platform, or a failed version query, none
// (false, key empty).
bool GetFontsRegistryKey(IVLSystemInfo& system, std::string& key);

// How a registration ended.
enum class VLRegistration {
    kRegistered,
    kNoKey,      // no Fonts key for this system, or it cannot be opened for writing
    kNameTaken,  // the value already names another font file; left as it was
    kValueNotSet,
    kSessionRefused,  // the system took no font from the file; the value was taken back
};

// Names the font file under the Fonts key and adds it to the running session.
// A value of that name that names another file is never replaced; one that
// already names this file is kept. The session is told of the font only once
// the value is in place.
VLRegistration RegisterFont(IVLSystemInfo& system, IVLFontRegistry& registry, const std::string& valueName,
                            const std::string& fileName);

// Whether a Fonts value's data names the file of that name in the system font
// folder: by its bare name or its full path, in any case.
bool FontValueNamesFile(IVLSystemInfo& system, const std::string& data, const std::string& fileName);

// Major version 6 or later. A failed query reads as version 0.
bool IsVersion6OrLater(IVLSystemInfo& system);

// 0, 1 or 2 (Win32s, 9x, NT) from the basic version query; -1 for any other
// value or a failed query.
int32_t GetPlatformId(IVLSystemInfo& system);
