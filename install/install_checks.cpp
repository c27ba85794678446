#include "install/install_checks.h"

#include "catalogue/base_name_check.h"
#include "install/font_registration.h"
#include "install/install_texts.h"

int32_t CountCheckedFonts(const VLPackageInfo& package, const VLIsChecked& isChecked) {
    int32_t count = 0;
    for (int32_t index = 0; index < static_cast<int32_t>(package.m_fonts.size()); ++index) {
        if (isChecked(index)) ++count;
    }
    return count;
}

bool NeedsAdministrator(IVLSystemInfo& system, const std::string& destDir) {
    if (!IsInSystemFontsFolder(system, destDir + "\\")) return false;
    const int32_t platformId = GetPlatformId(system);
    if (platformId == 0 || platformId == 1) return false;
    return !system.IsAdministrator();
}

int32_t FindPresentFont(IVLFileSystem& files, const VLPackageInfo& package, const VLIsChecked& isChecked,
                        const std::string& destDir) {
    for (int32_t index = 0; index < static_cast<int32_t>(package.m_fonts.size()); ++index) {
        // A name that is not a plain file name is not looked up anywhere; the
        // job refuses that font on its own.
        if (CheckBaseName(package.m_fonts[static_cast<size_t>(index)].m_baseName) != VLBaseNameProblem::kNone)
            continue;
        if (isChecked(index) && files.Exists(destDir + "\\" + package.GetOutputFileName(index))) return index;
    }
    return -1;
}

VLStartRefusal CheckInstallStart(IVLSystemInfo& system, IVLFileSystem& files, const VLPackageInfo& package,
                                 const VLIsChecked& isChecked, const std::string& destDir) {
    if (CountCheckedFonts(package, isChecked) == 0) return VLStartRefusal::kNoFontChosen;
    if (NeedsAdministrator(system, destDir)) return VLStartRefusal::kNeedsAdministrator;
    if (FindPresentFont(files, package, isChecked, destDir) >= 0) return VLStartRefusal::kFontAlreadyPresent;
    return VLStartRefusal::kNone;
}

const char* StartRefusalText(VLStartRefusal refusal) {
    switch (refusal) {
        case VLStartRefusal::kNoFontChosen:
            return kTextNoFontChosen;
        case VLStartRefusal::kNeedsAdministrator:
            return kTextNeedsAdministrator;
        case VLStartRefusal::kFontAlreadyPresent:
            return kTextFontAlreadyPresent;
        case VLStartRefusal::kNone:
            break;
    }
    return "";
}
