#include "app/startup_paths.h"

#include <gtest/gtest.h>

namespace {

TEST(StartupPaths, FontDataFolderBesideTheExecutable) {
    struct Case {
        std::string module;
        std::string fontData;
    } cases[] = {
        {"C:\\Program Files\\Vell\\setup.exe", "C:\\Program Files\\Vell\\FONTDATA\\"},
        {"C:\\setup.exe", "C:\\FONTDATA\\"},
        // 0x95 0x5C is one character whose trail byte is a backslash.
        {"D:\\\x95\x5C\\setup.exe", "D:\\\x95\x5C\\FONTDATA\\"},
        {"D:\\x\x95\x5Csetup.exe", "D:\\FONTDATA\\"},
    };
    for (const auto& c : cases) EXPECT_EQ(FontDataDirFromModulePath(c.module), c.fontData) << c.module;
}

TEST(StartupPaths, FontsFolderOnlyWhenTheWindowsFolderFits) {
    EXPECT_EQ(BuildWindowsFontsDir({"C:\\windows", 10}), "C:\\windows\\Fonts");
    EXPECT_EQ(BuildWindowsFontsDir({std::string(259, 'a'), 259}), std::string(259, 'a') + "\\Fonts");
    EXPECT_EQ(BuildWindowsFontsDir({"", 261}), "");
}

}  // namespace
