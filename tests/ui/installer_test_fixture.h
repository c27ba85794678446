#pragma once

#include <gtest/gtest.h>

#include <string>

#include "resources/resource.h"
#include "tests/ui/installer_driver.h"
#include "tests/ui/wizard_walk.h"

// Waits for the installer's message box, checks its text and answers it with
// the button buttonId.
inline ::testing::AssertionResult AnswerBoxWithText(const InstallerProcess& installer,
                                                    const std::string& text, int buttonId) {
    HWND box = installer.WaitForMessageBox();
    if (box == nullptr) return ::testing::AssertionFailure() << "no message box";
    const std::string shown = MessageBoxText(box);
    if (shown != text) return ::testing::AssertionFailure() << "the box shows \"" << shown << "\"";
    if (!AnswerMessageBox(box, buttonId)) return ::testing::AssertionFailure() << "the box took no answer";
    return ::testing::AssertionSuccess();
}

// One installer in a folder of its own, started on the test catalogue and
// killed after the test if it is still running.
class InstallerTest : public ::testing::Test {
protected:
    void TearDown() override { m_installer.Kill(); }

    // Starts the installer on the test catalogue and waits for the welcome page's buttons.
    void StartInstaller() {
        m_folder.WriteInf(TestInfText());
        StartInFolder();
    }

    // The same on one of the packed test packages (FONTDATA with real fonts).
    void StartInstallerWithPackage(const char* name) {
        ASSERT_TRUE(m_folder.CopyPackage(name));
        StartInFolder();
    }

    void StartInFolder() {
        ASSERT_TRUE(m_installer.Start(m_folder.ExePath()));
        ASSERT_NE(m_installer.WaitForMainWindow(), nullptr);
        ASSERT_EQ(WaitForWizardButtons(m_installer, "BN-C"), "BN-C");
    }

    void PressNext() { Click(m_installer.SheetButton(kNextButton)); }
    void PressBack() { Click(m_installer.SheetButton(kBackButton)); }

    bool WaitForPage(int index) {
        return WaitUntil([&] { return m_installer.CurrentPage() == index; });
    }

    // From the welcome page to the licence page, with acceptance selected.
    void AcceptLicence() {
        ASSERT_EQ(WalkToLicencePage(m_installer), "");
        ASSERT_EQ(WalkAcceptLicence(m_installer), "");
    }

    // Clicks the selection page's browse button and returns the folder picker.
    HWND OpenFolderPicker() {
        Click(m_installer.PageItem(IDC_BROWSE));
        HWND picker = nullptr;
        WaitUntil([&] {
            picker = m_installer.FindMessageBox(nullptr);
            return picker != nullptr;
        });
        return picker;
    }

    // From the welcome page to the selection page.
    void GoToSelection() {
        AcceptLicence();
        ASSERT_EQ(WalkToSelectionPage(m_installer), "");
    }

    InstallerFolder m_folder;
    InstallerProcess m_installer;
};
