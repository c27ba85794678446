// Part of the GUI tests: one installer start before the first test.
#include <gtest/gtest.h>

#include "tests/ui/installer_driver.h"

namespace {
// The first start in a fresh prefix is slow to reach the display (Wine builds
// its font caches then); one start before the tests keeps the first
// screenshots from catching an empty screen.
class WarmUpEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        InstallerFolder folder;
        folder.WriteInf(TestInfText());
        InstallerProcess installer;
        if (!installer.Start(folder.ExePath())) return;
        installer.WaitForMainWindow();
        Sleep(2000);
        installer.Kill();
    }
};

const ::testing::Environment* const g_warmUp = ::testing::AddGlobalTestEnvironment(new WarmUpEnvironment);
}  // namespace
