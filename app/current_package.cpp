#include "app/current_package.h"

VLPackageInfo ChooseCurrentPackage(const VLInfFile& catalogue) {
    for (int i = 0; i < catalogue.GetPackageCount(); ++i) {
        if (!catalogue.GetPackage(i).m_fonts.empty()) return catalogue.GetPackage(i);
    }
    return catalogue.GetPackage(0);
}
