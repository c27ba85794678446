#pragma once

#include "catalogue/inf_file.h"
#include "catalogue/package_info.h"

// The package the wizard lists and installs: the first of the catalogue that
// holds a font (a keyword-format file may start with an empty one), else
// package 0, which is empty when the catalogue has none.
VLPackageInfo ChooseCurrentPackage(const VLInfFile& catalogue);
