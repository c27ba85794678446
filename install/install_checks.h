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

// Why an installation may not start; each program shows its own text for it
// (the wizard from its string table, the command line the engine's copy).
enum class VLStartRefusal {
    kNone,
    kNoFontChosen,
    kNeedsAdministrator,
    kFontAlreadyPresent,
};

// The three checks in order; the first that fails refuses the start.
VLStartRefusal CheckInstallStart(IVLSystemInfo& system, IVLFileSystem& files, const VLPackageInfo& package,
                                 const VLIsChecked& isChecked, const std::string& destDir);

// The engine's Shift-JIS text for a refusal ("" for kNone).
const char* StartRefusalText(VLStartRefusal refusal);
