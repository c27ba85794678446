#include "install/install_checks.h"

#include <gtest/gtest.h>

#include <set>

#include "install/install_texts.h"
#include "tests/install/fake_platform.h"

namespace {

VLPackageInfo Package(const std::string& fontType) {
    VLPackageInfo package;
    package.m_fontType = fontType;
    for (const char* name : {"A", "B", "C"}) {
        VLFontInfo font;
        font.m_baseName = name;
        package.m_fonts.push_back(font);
    }
    return package;
}

TEST(InstallChecks, FirstFailingCheckNamesItsMessage) {
    struct Case {
        const char* name;
        std::set<int32_t> checked;
        const char* destDir;
        uint32_t platformId;
        bool administrator;
        const char* fontType;
        const char* existing;
        VLStartRefusal expected;
    } cases[] = {
        {"all fine", {0, 1}, "C:\\WINDOWS\\Fonts", 2, true, "TTF", "", VLStartRefusal::kNone},
        {"nothing chosen",
         {},
         "C:\\WINDOWS\\Fonts",
         2,
         false,
         "TTF",
         "C:\\WINDOWS\\Fonts\\A.ttf",
         VLStartRefusal::kNoFontChosen},
        {"NT, no administrator",
         {0},
         "C:\\WINDOWS\\Fonts",
         2,
         false,
         "TTF",
         "",
         VLStartRefusal::kNeedsAdministrator},
        {"NT, subfolder",
         {0},
         "C:\\WINDOWS\\Fonts\\sub",
         2,
         false,
         "TTF",
         "",
         VLStartRefusal::kNeedsAdministrator},
        {"unknown platform, no administrator",
         {0},
         "C:\\WINDOWS\\Fonts",
         3,
         false,
         "TTF",
         "",
         VLStartRefusal::kNeedsAdministrator},
        {"9x needs no check", {0}, "C:\\WINDOWS\\Fonts", 1, false, "TTF", "", VLStartRefusal::kNone},
        {"Win32s needs no check", {0}, "C:\\WINDOWS\\Fonts", 0, false, "TTF", "", VLStartRefusal::kNone},
        {"case differs: not the system folder",
         {0},
         "C:\\WINDOWS\\FONTS",
         2,
         false,
         "TTF",
         "",
         VLStartRefusal::kNone},
        {"other folder", {0}, "D:\\Out", 2, false, "TTF", "", VLStartRefusal::kNone},
        {"chosen font present",
         {0, 2},
         "D:\\Out",
         2,
         true,
         "TTF",
         "D:\\Out\\C.ttf",
         VLStartRefusal::kFontAlreadyPresent},
        {"folder of that name",
         {0},
         "D:\\Out",
         2,
         true,
         "TTF",
         "D:\\Out\\A.ttf\\",
         VLStartRefusal::kFontAlreadyPresent},
        {"unchosen font present", {0, 2}, "D:\\Out", 2, true, "TTF", "D:\\Out\\B.ttf", VLStartRefusal::kNone},
        {"OTF package looks for .otf",
         {0},
         "D:\\Out",
         2,
         true,
         "OTF",
         "D:\\Out\\A.ttf",
         VLStartRefusal::kNone},
        {"OTF package finds .otf",
         {0},
         "D:\\Out",
         2,
         true,
         "OTF",
         "D:\\Out\\A.otf",
         VLStartRefusal::kFontAlreadyPresent},
        {"ttf in lower case means .otf",
         {0},
         "D:\\Out",
         2,
         true,
         "ttf",
         "D:\\Out\\A.otf",
         VLStartRefusal::kFontAlreadyPresent},
    };
    for (const Case& c : cases) {
        VLFakePlatform fake;
        fake.m_version.platformId = c.platformId;
        fake.m_bAdministrator = c.administrator;
        std::string existing = c.existing;
        if (!existing.empty() && existing.back() == '\\') {
            fake.m_folders.insert(existing.substr(0, existing.size() - 1));
        } else if (!existing.empty()) {
            fake.m_files[existing] = "x";
        }
        const std::set<int32_t> checked = c.checked;
        const VLIsChecked isChecked = [&checked](int32_t index) { return checked.count(index) > 0; };
        EXPECT_EQ(CheckInstallStart(fake, fake, Package(c.fontType), isChecked, c.destDir), c.expected)
            << c.name;
    }
}

TEST(InstallChecks, FailedAdministratorQueryCountsAsNoRights) {
    VLFakePlatform fake;
    fake.m_bFailVersionBasic = true;  // platform -1: the rights matter
    fake.m_bAdministrator = false;
    EXPECT_TRUE(NeedsAdministrator(fake, "C:\\WINDOWS\\Fonts"));
}

}  // namespace
