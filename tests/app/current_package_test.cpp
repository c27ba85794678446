#include "app/current_package.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalogue/inf_loader.h"
#include "catalogue/inf_scrambling.h"

namespace {

std::unique_ptr<VLInfFile> Load(const std::string& plain) {
    std::string stored = ScrambleInfText(plain);
    return LoadInfBytes(reinterpret_cast<uint8_t*>(&stored[0]), stored.size());
}

const char kHeader[] = "START_INF\nFileVersion 5\n";

TEST(ChooseCurrentPackage, TakesTheFirstPackageThatHoldsAFont) {
    struct Case {
        const char* name;
        std::string packages;
        const char* expectedName;
        size_t expectedFonts;
    };
    const Case cases[] = {
        {"one package",
         "PackageStart\nPackageName first\nProductType TEST\nFont a,1,00001,1.00,x\nPackageEnd\n", "first",
         1},
        {"empty package first",
         "PackageStart\nPackageName empty\nProductType TEST\nPackageEnd\n"
         "PackageStart\nPackageName second\nProductType TEST\nFont a,1,00001,1.00,x\nFont "
         "b,2,00002,1.00,x\nPackageEnd\n",
         "second", 2},
        {"two with fonts",
         "PackageStart\nPackageName first\nProductType TEST\nFont a,1,00001,1.00,x\nPackageEnd\n"
         "PackageStart\nPackageName second\nProductType TEST\nFont b,2,00002,1.00,x\nPackageEnd\n",
         "first", 1},
        {"only empty packages", "PackageStart\nPackageName empty\nProductType TEST\nPackageEnd\n", "empty",
         0},
        {"no package", "", "", 0},
    };
    for (const Case& c : cases) {
        auto catalogue = Load(std::string(kHeader) + c.packages + "END_INF\n");
        ASSERT_NE(catalogue, nullptr) << c.name;
        VLPackageInfo chosen = ChooseCurrentPackage(*catalogue);
        EXPECT_EQ(chosen.m_packageName, c.expectedName) << c.name;
        EXPECT_EQ(chosen.m_fonts.size(), c.expectedFonts) << c.name;
    }
}

}  // namespace
