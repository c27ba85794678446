#include "install/install_scope.h"

#include <gtest/gtest.h>

#include <map>

#include "catalogue/package_folder_name.h"
#include "tests/install/fake_platform.h"

namespace {

// The account and environment a test chooses.
class VLFakeEnvironment : public IVLUserEnvironment {
public:
    uint32_t QueryBuildNumber() override { return m_build; }
    bool IsLocalSystemAccount() override { return m_bSystem; }
    std::string QueryLocalAppDataFolder() override { return m_localAppData; }
    bool IsRoot() override { return m_bRoot; }
    std::optional<std::string> GetVariable(const std::string& name) override {
        const auto found = m_variables.find(name);
        if (found == m_variables.end()) return std::nullopt;
        return found->second;
    }
    bool MakeFolder(const std::string& path, std::string& error) override {
        m_made.push_back(path);
        if (path == m_failFolder) {
            error = "Permission denied";
            return false;
        }
        return true;
    }

    uint32_t m_build = 19045;
    bool m_bSystem = false;
    std::string m_localAppData = "C:\\Users\\u\\AppData\\Local";
    bool m_bRoot = false;
    std::map<std::string, std::string> m_variables{{"HOME", "/home/u"}};
    std::string m_failFolder;
    std::vector<std::string> m_made;
};

constexpr auto kMachine = VLInstallScope::kMachine;
constexpr auto kUser = VLInstallScope::kUser;

// Scope asked for x root or not x XDG_DATA_HOME x product type, natively.
TEST(InstallScope, PosixFolders) {
    const std::optional<std::string> unset;
    struct Case {
        std::optional<VLInstallScope> requested;
        bool root;
        std::optional<std::string> dataHome;
        const char* productType;
        VLInstallScope scope;
        const char* folder;
    } cases[] = {
        {std::nullopt, false, unset, "IPAF", kUser, "/home/u/.local/share/fonts/IPAF"},
        {std::nullopt, true, unset, "IPAF", kMachine, "/usr/local/share/fonts/IPAF"},
        {kUser, true, unset, "IPAF", kUser, "/home/u/.local/share/fonts/IPAF"},
        {kMachine, false, unset, "IPAF", kMachine, "/usr/local/share/fonts/IPAF"},
        {std::nullopt, false, std::string("/data/u"), "IPAF", kUser, "/data/u/fonts/IPAF"},
        {std::nullopt, false, std::string("/data/u/"), "IPAF", kUser, "/data/u/fonts/IPAF"},
        {kMachine, false, std::string("/data/u"), "IPAF", kMachine, "/usr/local/share/fonts/IPAF"},
        // Relative or empty: to be ignored.
        {kUser, false, std::string("data"), "IPAF", kUser, "/home/u/.local/share/fonts/IPAF"},
        {kUser, false, std::string(""), "IPAF", kUser, "/home/u/.local/share/fonts/IPAF"},
        // Hostile product types never leave the font folder.
        {kUser, false, unset, "../x", kUser, "/home/u/.local/share/fonts/x"},
        {kUser, false, unset, "....", kUser, "/home/u/.local/share/fonts/vell-fonts"},
        {kUser, false, unset, "a/b\\", kUser, "/home/u/.local/share/fonts/ab"},
        {kMachine, true, unset, "\x1b[2J", kMachine, "/usr/local/share/fonts/2J"},
        {kMachine, true, unset, "CON", kMachine, "/usr/local/share/fonts/vell-fonts"},
        {kUser, false, unset, "", kUser, "/home/u/.local/share/fonts/vell-fonts"},
        // "ソ" ends in 0x5C: the character goes, not the folder.
        {kUser, false, unset, "\x83\x5cIP", kUser, "/home/u/.local/share/fonts/IP"},
        {kUser, false, unset, "\x83\x41\x83\x43", kUser, "/home/u/.local/share/fonts/\x83\x41\x83\x43"},
    };
    for (const Case& c : cases) {
        VLFakePlatform system;
        VLFakeEnvironment environment;
        environment.m_bRoot = c.root;
        if (c.dataHome) environment.m_variables["XDG_DATA_HOME"] = *c.dataHome;
        const VLScopeDestination result =
            ResolveInstallScope(VLHostSystem::kPosix, c.requested, c.productType, system, environment);
        const std::string what = std::string(c.productType) + " " + c.dataHome.value_or("(unset)");
        EXPECT_EQ(result.refusal, "") << what;
        EXPECT_EQ(result.scope, c.scope) << what;
        EXPECT_EQ(result.destination.folder, c.folder) << what;
        EXPECT_EQ(result.destination.registration, VLFontRegistrationKind::kNone) << what;
        ASSERT_FALSE(result.foldersToMake.empty()) << what;
        EXPECT_EQ(result.foldersToMake.back(), c.folder) << what;
    }
}

// Every folder on the way is made, parents first; the first that cannot be
// made stops the rest and is named.
TEST(InstallScope, FoldersAreMadeParentsFirst) {
    VLFakePlatform system;
    VLFakeEnvironment environment;
    environment.m_variables["XDG_DATA_HOME"] = "/tmp/t/data";
    const VLScopeDestination result =
        ResolveInstallScope(VLHostSystem::kPosix, std::nullopt, "IPAF", system, environment);
    EXPECT_EQ(result.foldersToMake,
              (std::vector<std::string>{"/tmp", "/tmp/t", "/tmp/t/data", "/tmp/t/data/fonts",
                                        "/tmp/t/data/fonts/IPAF"}));
    std::string error;
    EXPECT_TRUE(MakeScopeFolders(result, environment, error));
    EXPECT_EQ(environment.m_made, result.foldersToMake);

    VLFakeEnvironment failing;
    failing.m_failFolder = "/tmp/t/data/fonts";
    EXPECT_FALSE(MakeScopeFolders(result, failing, error));
    EXPECT_EQ(error, "/tmp/t/data/fonts: cannot create the font folder (Permission denied)");
    EXPECT_EQ(failing.m_made.size(), 4u);
}

TEST(InstallScope, PosixRefusals) {
    struct Case {
        const char* name;
        std::map<std::string, std::string> variables;
        const char* refusal;
    } cases[] = {
        {"no HOME", {}, "HOME is not an absolute folder"},
        {"relative HOME", {{"HOME", "home"}}, "HOME is not an absolute folder"},
        {"a backslash", {{"HOME", "/home/a\\b"}}, "holds a backslash"},
        {"no Shift-JIS form", {{"HOME", "/home/\xf0\x9f\x98\x80"}}, "cannot be written in Shift-JIS"},
    };
    for (const Case& c : cases) {
        VLFakePlatform system;
        VLFakeEnvironment environment;
        environment.m_variables = c.variables;
        const VLScopeDestination result =
            ResolveInstallScope(VLHostSystem::kPosix, kUser, "IPAF", system, environment);
        EXPECT_NE(result.refusal.find(c.refusal), std::string::npos) << c.name << ": " << result.refusal;
        EXPECT_TRUE(result.foldersToMake.empty()) << c.name;
    }
}

TEST(InstallScope, WindowsFolders) {
    VLFakePlatform system;
    VLFakeEnvironment environment;
    for (const std::optional<VLInstallScope> machine :
         {std::optional<VLInstallScope>(), std::optional(kMachine)}) {
        const VLScopeDestination result =
            ResolveInstallScope(VLHostSystem::kWindows, machine, "IPAF", system, environment);
        EXPECT_EQ(result.refusal, "");
        EXPECT_EQ(result.scope, kMachine);
        EXPECT_EQ(result.destination.folder, "C:\\WINDOWS\\Fonts");
        EXPECT_EQ(result.destination.registration, VLFontRegistrationKind::kMachine);
        EXPECT_TRUE(result.foldersToMake.empty());
    }
    // The product type plays no part: the user's folder is the system's.
    const VLScopeDestination user =
        ResolveInstallScope(VLHostSystem::kWindows, kUser, "../x", system, environment);
    EXPECT_EQ(user.refusal, "");
    EXPECT_EQ(user.scope, kUser);
    EXPECT_EQ(user.destination.folder, "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\Fonts");
    EXPECT_EQ(user.destination.registration, VLFontRegistrationKind::kUser);
    EXPECT_EQ(user.foldersToMake,
              (std::vector<std::string>{"C:\\Users\\u\\AppData\\Local\\Microsoft",
                                        "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows",
                                        "C:\\Users\\u\\AppData\\Local\\Microsoft\\Windows\\Fonts"}));
}

TEST(InstallScope, WindowsRefusals) {
    struct Case {
        const char* name;
        std::optional<VLInstallScope> requested;
        uint32_t build;
        bool system;
        const char* localAppData;
        const char* windowsFolder;
        const char* refusal;  // "" when accepted
    } cases[] = {
        {"first build with user fonts", kUser, 17763, false, "C:\\L", "C:\\W", ""},
        {"one build before", kUser, 17762, false, "C:\\L", "C:\\W",
         "build 17763) or later; this is build 17762"},
        {"unknown build", kUser, 0, false, "C:\\L", "C:\\W", "an unknown build"},
        {"SYSTEM account", kUser, 19045, true, "C:\\L", "C:\\W", "as the SYSTEM account"},
        {"SYSTEM may install for the machine", kMachine, 19045, true, "C:\\L", "C:\\W", ""},
        {"old Windows for the machine", kMachine, 7601, false, "C:\\L", "C:\\W", ""},
        {"no local app data", kUser, 19045, false, "", "C:\\W", "local application data folder"},
        {"no Windows folder", kMachine, 19045, false, "C:\\L", "", "the Windows folder cannot be read"},
    };
    for (const Case& c : cases) {
        VLFakePlatform system;
        system.m_strWindowsFolder = c.windowsFolder;
        VLFakeEnvironment environment;
        environment.m_build = c.build;
        environment.m_bSystem = c.system;
        environment.m_localAppData = c.localAppData;
        const VLScopeDestination result =
            ResolveInstallScope(VLHostSystem::kWindows, c.requested, "IPAF", system, environment);
        if (*c.refusal == '\0') {
            EXPECT_EQ(result.refusal, "") << c.name;
        } else {
            EXPECT_NE(result.refusal.find(c.refusal), std::string::npos) << c.name << ": " << result.refusal;
            EXPECT_EQ(result.refusal.find('\n'), std::string::npos) << c.name;
        }
    }
}

TEST(PackageFolderName, KeepsOnlySafeCharacters) {
    struct Case {
        std::string productType;
        std::string folder;
    } cases[] = {
        {"IPAF", "IPAF"},
        {"a-_.", "a-_"},
        {".hid", "hid"},
        {"..", kFallbackPackageFolder},
        {"a b*", "ab"},
        {std::string("a\0b", 3), "ab"},
        {"NUL", kFallbackPackageFolder},
        {"com1", kFallbackPackageFolder},
        {"\x83", kFallbackPackageFolder},  // a lead byte without its trail
        {"\x83\x0a"
         "A",
         "A"},  // no trail: both judged alone
        {std::string(100, 'x'), std::string(64, 'x')},
    };
    for (const Case& c : cases) EXPECT_EQ(PackageFolderName(c.productType), c.folder) << c.productType;
}

}  // namespace
