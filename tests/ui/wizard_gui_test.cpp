// The wizard's page sequence, button states and close rules, driven through
// the real windows.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "platform/framework/command_ids.h"
#include "platform/text_encoding.h"
#include "resources/resource.h"
#include "tests/ui/installer_test_fixture.h"

namespace {

std::string Sjis(const char* utf8) { return Utf8ToShiftJis(utf8).value_or(""); }

TEST_F(InstallerTest, LicencePageShowsNoticeFromTopWithRefusalSelected) {
    StartInstaller();
    PressNext();
    ASSERT_TRUE(WaitForPage(1));
    EXPECT_EQ(WaitForWizardButtons(m_installer, "---C"), "---C");
    SaveScreenshot("02-licence");

    HWND notice = m_installer.PageItem(IDC_LICENSE_TEXT);
    const std::string expected = InstallerNotice();
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(expected.substr(0, 4), "\r\n\r\n");
    EXPECT_EQ(expected.find('\0'), std::string::npos);
    EXPECT_EQ(WindowText(notice), expected);
    EXPECT_EQ(SendMessageA(notice, EM_GETFIRSTVISIBLELINE, 0, 0), 0);
    EXPECT_EQ(SendMessageA(m_installer.PageItem(IDC_LICENSE_REFUSE), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(m_installer.PageItem(IDC_LICENSE_ACCEPT), BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

TEST_F(InstallerTest, RadioButtonsGateNext) {
    StartInstaller();
    PressNext();
    ASSERT_TRUE(WaitForPage(1));
    ASSERT_EQ(WaitForWizardButtons(m_installer, "---C"), "---C");

    // Each click, in order, and the buttons it leaves.
    struct Step {
        int radio;
        const char* buttons;
    };
    const Step steps[] = {
        {1011, "---C"},  // refusal while already selected
        {1010, "-N-C"},  // acceptance
        {1010, "-N-C"},  // acceptance twice
        {1011, "---C"},  // refusal again
        {1010, "-N-C"},
    };
    for (const Step& step : steps) {
        Click(m_installer.PageItem(step.radio));
        EXPECT_EQ(WaitForWizardButtons(m_installer, step.buttons), step.buttons) << "radio " << step.radio;
    }
}

TEST_F(InstallerTest, BackOnTheWelcomePageStaysThere) {
    StartInstaller();
    PressBack();
    Sleep(500);
    EXPECT_EQ(m_installer.CurrentPage(), 0);
    EXPECT_EQ(WizardButtons(m_installer), "BN-C");
    EXPECT_TRUE(m_installer.IsRunning());
}

// Keys reach the wizard through the program's message loop, which hands them
// to the sheet's dialog-key handling: Enter presses the default button (Next),
// Escape is the Cancel button.
TEST_F(InstallerTest, EnterGoesOnAndEscapeAsksToQuit) {
    StartInstaller();
    HWND next = m_installer.SheetButton(kNextButton);
    PostMessageA(next, WM_KEYDOWN, VK_RETURN, 0);
    PostMessageA(next, WM_KEYUP, VK_RETURN, 0);
    ASSERT_TRUE(WaitForPage(1));

    PostMessageA(m_installer.PageItem(IDC_LICENSE_REFUSE), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(m_installer.PageItem(IDC_LICENSE_REFUSE), WM_KEYUP, VK_ESCAPE, 0);
    ASSERT_TRUE(AnswerBoxWithText(m_installer, InstallerString(IDS_CONFIRM_QUIT), IDCANCEL));
    EXPECT_EQ(m_installer.CurrentPage(), 1);
}

TEST_F(InstallerTest, SelectionPageListsPackageAndBackDisablesNext) {
    StartInstaller();
    GoToSelection();
    SaveScreenshot("03-selection");

    HWND list = m_installer.PageItem(IDC_FONT_LIST);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ListBoxText(list, i), Sjis(kTestFontLabels[i])) << "entry " << i;
        EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0), 1) << "entry " << i;
    }
    EXPECT_EQ(WindowText(m_installer.PageItem(IDC_PRODUCT_NAME)), Sjis("テスト書体パッケージ"));
    EXPECT_EQ(WindowText(m_installer.PageItem(IDC_DEST_DIR)), "C:\\windows\\Fonts");

    PressBack();
    ASSERT_TRUE(WaitForPage(1));
    EXPECT_EQ(WaitForWizardButtons(m_installer, "---C"), "---C");
    EXPECT_EQ(SendMessageA(m_installer.PageItem(IDC_LICENSE_ACCEPT), BM_GETCHECK, 0, 0), BST_CHECKED);
    Click(m_installer.PageItem(IDC_LICENSE_ACCEPT));
    EXPECT_EQ(WaitForWizardButtons(m_installer, "-N-C"), "-N-C");
}

TEST_F(InstallerTest, SecondForwardPassKeepsClearedCheckMarks) {
    StartInstaller();
    GoToSelection();
    HWND list = m_installer.PageItem(IDC_FONT_LIST);
    // A click inside entry 1's check box clears it.
    RECT item;
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    const LPARAM point = MAKELPARAM(item.left + 5, (item.top + item.bottom) / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(list, WM_LBUTTONUP, 0, point);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LB_GETITEMDATA, 1, 0) == 0; }));

    PressBack();
    ASSERT_TRUE(WaitForPage(1));
    Click(m_installer.PageItem(IDC_LICENSE_ACCEPT));
    ASSERT_EQ(WaitForWizardButtons(m_installer, "-N-C"), "-N-C");
    PressNext();
    ASSERT_TRUE(WaitForPage(2));
    EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 0, 0), 1);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 1, 0), 0);
    EXPECT_EQ(SendMessageA(list, LB_GETITEMDATA, 2, 0), 1);
}

TEST_F(InstallerTest, SpaceBarTogglesEntryAndNothingCheckedRefusesNext) {
    StartInstaller();
    GoToSelection();
    HWND list = m_installer.PageItem(IDC_FONT_LIST);
    for (int i = 0; i < 3; ++i) {
        SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
        PostMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
        PostMessageA(list, WM_CHAR, ' ', 0);
        PostMessageA(list, WM_KEYUP, VK_SPACE, 0);
        ASSERT_TRUE(WaitUntil([&] {
            return SendMessageA(list, LB_GETITEMDATA, static_cast<WPARAM>(i), 0) == 0;
        })) << "entry "
            << i;
    }
    PressNext();
    ASSERT_TRUE(AnswerBoxWithText(m_installer, InstallerString(IDS_NO_FONT_SELECTED), IDOK));
    EXPECT_EQ(m_installer.CurrentPage(), 2);
    EXPECT_EQ(WaitForWizardButtons(m_installer, "BN-C"), "BN-C");
}

// The three ways to ask the main window to close before the installation.
enum class CloseRequest { CancelButton, CloseBox, ExitMenu };

void RequestClose(InstallerProcess& installer, CloseRequest request) {
    switch (request) {
        case CloseRequest::CancelButton:
            Click(installer.SheetButton(IDCANCEL));
            break;
        case CloseRequest::CloseBox:
            PostMessageA(installer.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        case CloseRequest::ExitMenu:
            PostMessageA(installer.MainWindow(), WM_COMMAND, ID_APP_EXIT, 0);
            break;
    }
}

class CloseRequestTest : public InstallerTest, public ::testing::WithParamInterface<CloseRequest> {};

TEST_P(CloseRequestTest, AsksFirstCancelKeepsWizardOkCloses) {
    StartInstaller();
    AcceptLicence();

    RequestClose(m_installer, GetParam());
    HWND box = m_installer.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), InstallerString(IDS_CONFIRM_QUIT));
    EXPECT_NE(GetDlgItem(box, IDCANCEL), nullptr);
    if (GetParam() == CloseRequest::CancelButton) SaveScreenshot("11-confirm-quit");
    ASSERT_TRUE(AnswerMessageBox(box, IDCANCEL));
    Sleep(300);
    EXPECT_TRUE(m_installer.IsRunning());
    EXPECT_EQ(m_installer.CurrentPage(), 1);
    EXPECT_EQ(WizardButtons(m_installer), "-N-C");
    EXPECT_EQ(SendMessageA(m_installer.PageItem(IDC_LICENSE_ACCEPT), BM_GETCHECK, 0, 0), BST_CHECKED);

    RequestClose(m_installer, GetParam());
    box = m_installer.WaitForMessageBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
    EXPECT_TRUE(m_installer.WaitForExit());
}

std::string CloseRequestName(const ::testing::TestParamInfo<CloseRequest>& info) {
    static const char* const kNames[] = {"CancelButton", "CloseBox", "ExitMenu"};
    return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Requests, CloseRequestTest,
                         ::testing::Values(CloseRequest::CancelButton, CloseRequest::CloseBox,
                                           CloseRequest::ExitMenu),
                         CloseRequestName);

TEST_F(InstallerTest, RegistrationLinkShowsTheAddressFromTheStringTable) {
    StartInstaller();
    HWND page = reinterpret_cast<HWND>(SendMessageA(m_installer.Sheet(), PSM_INDEXTOHWND, 4, 0));
    ASSERT_NE(page, nullptr);
    const std::string address = InstallerString(IDS_REGISTER_URL);
    EXPECT_FALSE(address.empty());
    EXPECT_EQ(WindowText(GetDlgItem(page, IDC_REGISTER_LINK)), address);
}

}  // namespace
