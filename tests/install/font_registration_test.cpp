#include "install/font_registration.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "install/font_naming.h"
#include "tests/install/fake_platform.h"

namespace {

constexpr char kNtKey[] = "SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\FONTS";
constexpr char k9xKey[] = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\FONTS";

TEST(SystemFontsFolder, PrefixIsExactCaseSensitiveAndComplete) {
    struct Case {
        const char* windowsFolder;
        const char* path;
        bool expected;
    } cases[] = {
        {"C:\\WINDOWS", "C:\\WINDOWS\\Fonts\\abc.ttf", true},
        {"C:\\WINDOWS", "c:\\windows\\fonts\\abc.ttf", false},
        {"C:\\WINDOWS", "C:\\WINDOWS\\FONTS\\abc.ttf", false},
        {"C:\\WINDOWS", "C:\\WINDOWS\\Fonts", false},
        {"C:\\WINDOWS", "C:\\WINDOWS\\Fonts\\", true},
        {"C:\\WINDOWS", "C:\\WINDOWS\\Fonts\\sub\\abc.ttf", true},
        {"C:\\WINDOWS", "D:\\WINDOWS\\Fonts\\abc.ttf", false},
        {"C:\\WINNT", "C:\\WINDOWS\\Fonts\\abc.ttf", false},
        // An unreadable Windows folder must not turn every "\Fonts\" path into a system path.
        {"", "\\Fonts\\abc.ttf", false},
    };
    for (const Case& c : cases) {
        VLFakePlatform fake;
        fake.m_strWindowsFolder = c.windowsFolder;
        EXPECT_EQ(IsInSystemFontsFolder(fake, c.path), c.expected) << c.windowsFolder << " / " << c.path;
    }
}

TEST(SystemFontsFolder, WindowsFolderThatDoesNotFitIsNotUsed) {
    VLFakePlatform fake;
    fake.m_strWindowsFolder = "C:\\" + std::string(300, 'W');
    EXPECT_EQ(GetWindowsFolder(fake), "");
    fake.m_reportedLength = 260;
    fake.m_strWindowsFolder = "C:\\WINDOWS";
    EXPECT_EQ(GetWindowsFolder(fake), "");
    fake.m_reportedLength = 0;
    EXPECT_EQ(GetWindowsFolder(fake), "C:\\WINDOWS");
}

TEST(FontsRegistryKey, ChosenByPlatformId) {
    struct Case {
        uint32_t platformId;
        const char* key;
    } cases[] = {{0, ""}, {1, k9xKey}, {2, kNtKey}, {3, ""}, {0xFFFFFFFF, ""}};
    for (const Case& c : cases) {
        VLFakePlatform fake;
        fake.m_version.platformId = c.platformId;
        std::string key = "stale";
        EXPECT_EQ(GetFontsRegistryKey(fake, key), *c.key != '\0') << c.platformId;
        EXPECT_EQ(key, c.key);
    }
    EXPECT_EQ(std::string(k9xKey).size(), 47u);
    EXPECT_EQ(std::string(kNtKey).size(), 50u);
}

TEST(FontsRegistryKey, FallsBackToTheBasicVersionStructure) {
    VLFakePlatform fake;
    fake.m_bFailVersionEx = true;
    std::string key;
    EXPECT_TRUE(GetFontsRegistryKey(fake, key));
    EXPECT_EQ(key, kNtKey);
    EXPECT_EQ(fake.m_versionQueries, (std::vector<uint32_t>{156, 148}));

    fake.m_bFailVersionBasic = true;
    EXPECT_FALSE(GetFontsRegistryKey(fake, key));
    EXPECT_EQ(key, "");
}

TEST(RegisterFont, WritesTheValueThenAddsTheFontToTheSession) {
    VLFakePlatform fake;
    EXPECT_EQ(RegisterFont(fake, fake, "ABC (TrueType)", "ABC.otf"), VLRegistration::kRegistered);
    EXPECT_EQ(fake.m_openedKeys, std::vector<std::string>{kNtKey});
    EXPECT_EQ(fake.m_values[std::string(kNtKey) + "\\ABC (TrueType)"], "ABC.otf");
    EXPECT_EQ(fake.m_registryCalls,
              (std::vector<std::string>{"open", "query", "set", "close", "add:ABC.otf"}));
}

TEST(RegisterFont, EveryFailureLeavesTheSessionAlone) {
    struct Case {
        const char* name;
        uint32_t platformId;
        bool failVersion;
        bool failOpen;
        bool failSet;
        VLRegistration result;
        std::vector<std::string> calls;
    } cases[] = {
        {"no key for the platform", 3, false, false, false, VLRegistration::kNoKey, {}},
        {"no version", 2, true, false, false, VLRegistration::kNoKey, {}},
        {"key cannot be opened", 2, false, true, false, VLRegistration::kNoKey, {"open"}},
        {"value cannot be set",
         2,
         false,
         false,
         true,
         VLRegistration::kValueNotSet,
         {"open", "query", "set", "close"}},
    };
    for (const Case& c : cases) {
        VLFakePlatform fake;
        fake.m_version.platformId = c.platformId;
        fake.m_bFailVersionEx = fake.m_bFailVersionBasic = c.failVersion;
        fake.m_bFailOpenKey = c.failOpen;
        fake.m_bFailSetValue = c.failSet;
        EXPECT_EQ(RegisterFont(fake, fake, "ABC (TrueType)", "ABC.ttf"), c.result) << c.name;
        EXPECT_EQ(fake.m_registryCalls, c.calls) << c.name;
        EXPECT_TRUE(fake.m_values.empty()) << c.name;
    }
}

// A value of the same name that is already there: never rebound to another
// file; one that names this very file (as the system compares names) is kept.
TEST(RegisterFont, AnExistingValueIsNeverRebound) {
    struct Case {
        const char* existing;
        VLRegistration result;
        bool addsToSession;
    } cases[] = {
        {"arialbd.ttf", VLRegistration::kNameTaken, false},
        {"C:\\WINDOWS\\Fonts\\other.ttf", VLRegistration::kNameTaken, false},
        {"ABC.ttf", VLRegistration::kRegistered, true},
        {"abc.TTF", VLRegistration::kRegistered, true},
        {"c:\\windows\\fonts\\ABC.ttf", VLRegistration::kRegistered, true},
        {"D:\\elsewhere\\ABC.ttf", VLRegistration::kNameTaken, false},
        // Double-byte characters match only themselves, whatever case the
        // trail byte would be as a letter ("\x82\x61" is not "\x82\x41").
        {"\x82\x61.ttf", VLRegistration::kNameTaken, false},
    };
    for (const Case& c : cases) {
        VLFakePlatform fake;
        const std::string value = std::string(kNtKey) + "\\Fam W3 (TrueType)";
        fake.m_values[value] = c.existing;
        const std::string fileName = std::string(c.existing).find('\x82') == 0 ? "\x82\x41.ttf" : "ABC.ttf";
        EXPECT_EQ(RegisterFont(fake, fake, "Fam W3 (TrueType)", fileName), c.result) << c.existing;
        EXPECT_EQ(fake.m_values[value], c.existing) << c.existing;
        const bool added = std::find(fake.m_registryCalls.begin(), fake.m_registryCalls.end(),
                                     "add:" + fileName) != fake.m_registryCalls.end();
        EXPECT_EQ(added, c.addsToSession) << c.existing;
        EXPECT_EQ(std::count(fake.m_registryCalls.begin(), fake.m_registryCalls.end(), "set"), 0)
            << c.existing;
    }
}

// A font the running system refuses is not left named under the key, unless
// the value was there before (then it is not ours to take away).
TEST(RegisterFont, RefusedByTheSessionTakesItsOwnValueBack) {
    VLFakePlatform fake;
    fake.m_bRefuseSessionFont = true;
    EXPECT_EQ(RegisterFont(fake, fake, "ABC (TrueType)", "ABC.ttf"), VLRegistration::kSessionRefused);
    EXPECT_TRUE(fake.m_values.empty());
    EXPECT_EQ(fake.m_registryCalls.back(), "close");
    EXPECT_EQ(std::count(fake.m_registryCalls.begin(), fake.m_registryCalls.end(), "delete"), 1);

    VLFakePlatform before;
    before.m_bRefuseSessionFont = true;
    before.m_values[std::string(kNtKey) + "\\ABC (TrueType)"] = "ABC.ttf";
    EXPECT_EQ(RegisterFont(before, before, "ABC (TrueType)", "ABC.ttf"), VLRegistration::kSessionRefused);
    EXPECT_EQ(before.m_values.size(), 1u);
    EXPECT_EQ(std::count(before.m_registryCalls.begin(), before.m_registryCalls.end(), "delete"), 0);
}

constexpr char kUserKeyValue[] =
    "HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts\\Fam W3 (TrueType)";
constexpr char kUserFont[] = "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\Fonts\\ABC.ttf";

// The user's key: the value right in it (never a subkey, which the system
// forgets at logon) with the full path, the session told by that path; the
// machine's key is never opened.
TEST(RegisterUserFont, FullPathUnderTheUsersOwnKey) {
    VLFakePlatform fake;
    EXPECT_EQ(RegisterUserFont(fake, "Fam W3 (TrueType)", kUserFont), VLRegistration::kRegistered);
    EXPECT_EQ(fake.m_openedKeys,
              std::vector<std::string>{"HKCU\\Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts"});
    EXPECT_EQ(fake.m_values, (std::map<std::string, std::string>{{kUserKeyValue, kUserFont}}));
    EXPECT_EQ(fake.m_registryCalls, (std::vector<std::string>{"openUser", "query", "set", "close",
                                                              std::string("add:") + kUserFont}));
}

// Only the same full path (in any case) is this file: a bare name under the
// user's key means a file in the system font folder.
TEST(RegisterUserFont, AValueNamingAnotherFileIsNeverRebound) {
    struct Case {
        const char* existing;
        VLRegistration result;
    } cases[] = {
        {kUserFont, VLRegistration::kRegistered},
        {"c:\\users\\U\\appdata\\local\\microsoft\\windows\\fonts\\abc.TTF", VLRegistration::kRegistered},
        {"ABC.ttf", VLRegistration::kNameTaken},
        {"C:\\Users\\other\\AppData\\Local\\Microsoft\\Windows\\Fonts\\ABC.ttf", VLRegistration::kNameTaken},
        {"C:\\WINDOWS\\Fonts\\ABC.ttf", VLRegistration::kNameTaken},
    };
    for (const Case& c : cases) {
        VLFakePlatform fake;
        fake.m_values[kUserKeyValue] = c.existing;
        EXPECT_EQ(RegisterUserFont(fake, "Fam W3 (TrueType)", kUserFont), c.result) << c.existing;
        EXPECT_EQ(fake.m_values[kUserKeyValue], c.existing) << c.existing;
        EXPECT_EQ(std::count(fake.m_registryCalls.begin(), fake.m_registryCalls.end(), "set"), 0)
            << c.existing;
    }
}

TEST(RegisterUserFont, RefusedByTheSessionTakesItsOwnValueBack) {
    VLFakePlatform fake;
    fake.m_bRefuseSessionFont = true;
    EXPECT_EQ(RegisterUserFont(fake, "Fam W3 (TrueType)", kUserFont), VLRegistration::kSessionRefused);
    EXPECT_TRUE(fake.m_values.empty());
    EXPECT_EQ(std::count(fake.m_registryCalls.begin(), fake.m_registryCalls.end(), "delete"), 1);

    VLFakePlatform noKey;
    noKey.m_bFailOpenKey = true;
    EXPECT_EQ(RegisterUserFont(noKey, "Fam W3 (TrueType)", kUserFont), VLRegistration::kNoKey);
}

TEST(IsVersion6OrLater, ReadsTheMajorVersionAndTreatsFailureAsZero) {
    struct Case {
        uint32_t major;
        bool fail;
        bool expected;
    } cases[] = {{5, false, false}, {6, false, true}, {10, false, true}, {6, true, false}};
    for (const Case& c : cases) {
        VLFakePlatform fake;
        fake.m_version.majorVersion = c.major;
        fake.m_bFailVersionEx = c.fail;
        EXPECT_EQ(IsVersion6OrLater(fake), c.expected) << c.major << " " << c.fail;
        EXPECT_EQ(fake.m_versionQueries, std::vector<uint32_t>{156});
    }
}

TEST(GetPlatformId, BasicQueryAndUnknownValues) {
    struct Case {
        uint32_t platformId;
        bool fail;
        int32_t expected;
    } cases[] = {{0, false, 0}, {1, false, 1}, {2, false, 2}, {3, false, -1}, {2, true, -1}};
    for (const Case& c : cases) {
        VLFakePlatform fake;
        fake.m_version.platformId = c.platformId;
        fake.m_bFailVersionBasic = c.fail;
        EXPECT_EQ(GetPlatformId(fake), c.expected);
        EXPECT_EQ(fake.m_versionQueries, std::vector<uint32_t>{148});
    }
}

TEST(FontNames, NamingTable) {
    struct Case {
        const char* fontType;
        const char* family;
        const char* style;
        bool version6;
        bool written;
        const char* valueName;
        const char* fileName;
    } cases[] = {
        {"OTF", "Fam", "W3", false, true, "ABC (OpenType)", "ABC.otf"},
        {"OTF", "Fam", "W3", true, true, "ABC (TrueType)", "ABC.otf"},
        {"TTF", "Fam", "W3", false, true, "Fam W3 (TrueType)", "ABC.ttf"},
        {"TTF", "Fam", "W3", true, true, "Fam W3 (TrueType)", "ABC.ttf"},
        {"TTF", "", "", true, true, "ABC (TrueType)", "ABC.ttf"},
        {"TTF", "", "W3", true, true, " W3 (TrueType)", "ABC.ttf"},
        {"TTF", "Fam", "", true, true, "Fam  (TrueType)", "ABC.ttf"},
        {"otf", "Fam", "W3", true, false, "", ""},
        {"ttf", "Fam", "W3", true, false, "", ""},
        {"", "Fam", "W3", true, false, "", ""},
    };
    for (const Case& c : cases) {
        VLFontInfo font;
        font.m_baseName = "ABC";
        font.m_familyName = c.family;
        font.m_styleName = c.style;
        VLFontNames names;
        EXPECT_EQ(ChooseFontNames(c.fontType, font, c.version6, names), c.written) << c.fontType;
        EXPECT_EQ(names.valueName, c.valueName) << c.fontType << " " << c.family << "/" << c.style;
        EXPECT_EQ(names.fileName, c.fileName) << c.fontType;
    }
}

}  // namespace
