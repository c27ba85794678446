#pragma once

#include <cstdint>
#include <string>

#include "platform/system_info.h"

// The folder of the running executable (cut after its last backslash, which
// stays) followed by "FONTDATA\". A drive's root gives "C:\FONTDATA\".
std::string FontDataDirFromModulePath(const std::string& modulePath);

// The Windows folder followed by "\Fonts", or empty when the folder's path does
// not fit the 260-byte buffer.
std::string BuildWindowsFontsDir(const VLWindowsFolder& windowsFolder);
