// Start-up and exit of the real program: the single-copy rule, an unusable
// catalogue, the main window's shape.
#include <gtest/gtest.h>

#include "platform/framework/command_ids.h"
#include "resources/resource.h"
#include "tests/ui/installer_test_fixture.h"

namespace {

TEST_F(InstallerTest, SecondCopyShowsMessageAndEndsWhileFirstKeepsRunning) {
    StartInstaller();
    SaveScreenshot("01-welcome");

    InstallerProcess second;
    ASSERT_TRUE(second.Start(m_folder.ExePath()));
    ASSERT_TRUE(AnswerBoxWithText(second, InstallerString(IDS_ALREADY_RUNNING), IDOK));
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_TRUE(m_installer.IsRunning());
    EXPECT_EQ(WizardButtons(m_installer), "BN-C");
}

enum class Stored { Nothing, Raw, Scrambled };

struct UnusableCatalogue {
    const char* name;
    Stored stored;
    std::string bytes;
};

class UnusableCatalogueTest : public InstallerTest,
                              public ::testing::WithParamInterface<UnusableCatalogue> {};

TEST_P(UnusableCatalogueTest, ShowsLoadFailureAndEnds) {
    const UnusableCatalogue& c = GetParam();
    if (c.stored == Stored::Raw) m_folder.WriteRawInf(c.bytes);
    if (c.stored == Stored::Scrambled) m_folder.WriteInf(c.bytes);
    ASSERT_TRUE(m_installer.Start(m_folder.ExePath()));
    ASSERT_TRUE(AnswerBoxWithText(m_installer, InstallerString(IDS_INF_LOAD_FAILED), IDOK));
    EXPECT_TRUE(m_installer.WaitForExit());
}

std::string CatalogueName(const ::testing::TestParamInfo<UnusableCatalogue>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(
    Catalogues, UnusableCatalogueTest,
    ::testing::Values(
        UnusableCatalogue{"Missing", Stored::Nothing, ""},
        UnusableCatalogue{"TooLarge", Stored::Raw, std::string(1100000, ' ')},
        UnusableCatalogue{"Unterminated", Stored::Scrambled, "START_INF\nFileVersion 5\nPackageStart\n"},
        UnusableCatalogue{"InvalidLine", Stored::Scrambled,
                          "START_INF\nFileVersion 5\nPackageStart\nBogus line\nPackageEnd\nEND_INF\n"}),
    CatalogueName);

TEST_F(InstallerTest, MissingFontDataFolderShowsLoadFailure) {
    RemoveDirectoryA(m_folder.FontDataDir().c_str());
    ASSERT_TRUE(m_installer.Start(m_folder.ExePath()));
    ASSERT_TRUE(AnswerBoxWithText(m_installer, InstallerString(IDS_INF_LOAD_FAILED), IDOK));
    EXPECT_TRUE(m_installer.WaitForExit());
}

TEST_F(InstallerTest, MainWindowHasCaptionFixedFrameAndFitsTheWizard) {
    StartInstaller();
    HWND main = m_installer.MainWindow();
    // "VellInstaller - Vellフォントをインストール"
    EXPECT_EQ(WindowText(main),
              "VellInstaller - Vell\x83\x74\x83\x48\x83\x93\x83\x67\x82\xF0\x83\x43\x83\x93"
              "\x83\x58\x83\x67\x81\x5B\x83\x8B");
    LONG style = GetWindowLongA(main, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
    EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);

    RECT cancel;
    GetWindowRect(m_installer.SheetButton(IDCANCEL), &cancel);
    MapWindowPoints(nullptr, m_installer.View(), reinterpret_cast<POINT*>(&cancel), 2);
    RECT view;
    GetClientRect(m_installer.View(), &view);
    EXPECT_EQ(view.right, cancel.right + 20);
    EXPECT_EQ(view.bottom, cancel.bottom + 20);

    RECT sheet;
    GetWindowRect(m_installer.Sheet(), &sheet);
    MapWindowPoints(nullptr, m_installer.View(), reinterpret_cast<POINT*>(&sheet), 2);
    EXPECT_EQ(sheet.left, 0);
    EXPECT_EQ(sheet.top, 0);
}

TEST_F(InstallerTest, NewDocumentKeepsWizardPageAndWindowSize) {
    StartInstaller();
    AcceptLicence();
    RECT before;
    GetWindowRect(m_installer.MainWindow(), &before);
    std::string caption = WindowText(m_installer.MainWindow());

    PostMessageA(m_installer.MainWindow(), WM_COMMAND, ID_FILE_NEW, 0);  // Ctrl+N
    ASSERT_TRUE(WaitUntil([&] { return m_installer.CurrentPage() == 1; }));
    Sleep(300);
    RECT after;
    GetWindowRect(m_installer.MainWindow(), &after);
    EXPECT_EQ(WindowText(m_installer.MainWindow()), caption);
    EXPECT_EQ(m_installer.CurrentPage(), 1);
    EXPECT_EQ(WizardButtons(m_installer), "-N-C");
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    EXPECT_EQ(SendMessageA(m_installer.PageItem(IDC_LICENSE_ACCEPT), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(InstallerTest, AboutBoxOpensAndClosesWithOk) {
    StartInstaller();
    PostMessageA(m_installer.MainWindow(), WM_COMMAND, ID_APP_ABOUT, 0);
    // "VellInstallerのﾊﾞｰｼﾞｮﾝ情報"
    HWND about = m_installer.WaitForMessageBox(
        10000, "VellInstaller\x82\xCC\xCA\xDE\xB0\xBC\xDE\xAE\xDD\x8F\xEE\x95\xF1");
    ASSERT_NE(about, nullptr);
    SaveScreenshot("10-about");
    EXPECT_EQ(WindowText(GetDlgItem(about, IDOK)), "OK");
    ASSERT_TRUE(AnswerMessageBox(about, IDOK));
    EXPECT_TRUE(m_installer.IsRunning());
}

}  // namespace
