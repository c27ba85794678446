#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "catalogue/package_info.h"
#include "platform/file_system.h"
#include "platform/system_info.h"

// The checks that must pass before an installation starts, shared by the
// selection page and the command line. isChecked(i) tells whether entry i
// (font i of the package) is chosen.
using VLIsChecked = std::function<bool(int32_t index)>;

int32_t CountCheckedFonts(const VLPackageInfo& package, const VLIsChecked& isChecked);

// Whether installing into the folder needs rights the process lacks: the folder
// (a backslash is appended before the test) lies in the system font folder, the
// platform is neither Win32s (0) nor 9x (1), and the process is no administrator.
bool NeedsAdministrator(IVLSystemInfo& system, const std::string& destDir);

// Index of the first chosen font whose output file (or a folder of that name)
// already exists in destDir; -1 when none does.
int32_t FindPresentFont(IVLFileSystem& files, const VLPackageInfo& package, const VLIsChecked& isChecked,
                        const std::string& destDir);

// The three checks in order; 0 when the installation may start, else the id of
// the message that refuses it (61214, 61210 or 61219, install_texts.h).
uint32_t CheckInstallStart(IVLSystemInfo& system, IVLFileSystem& files, const VLPackageInfo& package,
                           const VLIsChecked& isChecked, const std::string& destDir);
