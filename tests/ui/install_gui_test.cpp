// Whole installations from the wizard, on packages the test stage packed from
// free fonts: what the user sees on the way, and what ends up in the prefix.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <set>
#include <string>

#include "install/install_texts.h"
#include "platform/text_encoding.h"
#include "resources/resource.h"
#include "tests/ui/installer_test_fixture.h"

namespace {

const char kFontsFolder[] = "C:\\windows\\Fonts";
const char kFontsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";

std::string Sjis(const char* utf8) { return Utf8ToShiftJis(utf8).value_or(""); }

// The log lines of one font: its announcement and its result.
std::string FontLog(const char* label, const char* result) {
    return Sjis((std::string("■") + label + "をインストールしています。\r\n" + result + "\r\n").c_str());
}

std::string ClosingLog() { return Sjis("\n\r\nすべてのインストールが完了しました。\r\n"); }

// The value under the Fonts key whose data is fileName; empty when none is.
std::string RegisteredValueName(const std::string& fileName) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kFontsKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();
    std::string found;
    for (DWORD i = 0;; ++i) {
        char name[512] = {};
        BYTE data[512] = {};
        DWORD nameSize = sizeof(name);
        DWORD dataSize = sizeof(data) - 1;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        if (type == REG_SZ && fileName == reinterpret_cast<const char*>(data)) {
            found = name;
            break;
        }
    }
    RegCloseKey(key);
    return found;
}

// A control of the progress page, whichever page is shown; null until the
// page has been created.
HWND ProgressPageItem(const InstallerProcess& installer, int id) {
    HWND page = reinterpret_cast<HWND>(SendMessageA(installer.Sheet(), PSM_INDEXTOHWND, 3, 0));
    return page != nullptr ? GetDlgItem(page, id) : nullptr;
}

HWND ProgressBarOf(const InstallerProcess& installer) { return ProgressPageItem(installer, IDC_PROGRESS); }

int ProgressPos(const InstallerProcess& installer) {
    return static_cast<int>(SendMessageA(ProgressBarOf(installer), PBM_GETPOS, 0, 0));
}

// Reads the progress bar from a thread of its own, from the confirmation until
// Stop, so that the positions seen do not depend on how long the test's other
// checks take while the worker runs.
class ProgressSampler {
public:
    explicit ProgressSampler(const InstallerProcess& installer) : m_installer(installer) {
        m_thread = CreateThread(nullptr, 0, &ProgressSampler::Run, this, 0, nullptr);
    }
    ProgressSampler(const ProgressSampler&) = delete;
    ProgressSampler& operator=(const ProgressSampler&) = delete;
    ~ProgressSampler() { Stop(); }

    int DistinctPositions() const { return m_distinct.load(); }

    // The positions seen, once the sampling thread has ended.
    std::set<int> Stop() {
        if (m_thread != nullptr) {
            m_stop = true;
            WaitForSingleObject(m_thread, INFINITE);
            CloseHandle(m_thread);
            m_thread = nullptr;
        }
        return m_positions;
    }

private:
    static DWORD WINAPI Run(void* self) {
        static_cast<ProgressSampler*>(self)->Sample();
        return 0;
    }

    void Sample() {
        HWND bar = nullptr;
        while (!m_stop) {
            if (bar == nullptr) bar = ProgressBarOf(m_installer);
            DWORD_PTR pos = 0;
            if (bar != nullptr && SendMessageTimeoutA(bar, PBM_GETPOS, 0, 0, SMTO_BLOCK, 1000, &pos) != 0) {
                m_positions.insert(static_cast<int>(pos));
                m_distinct = static_cast<int>(m_positions.size());
            }
            Sleep(1);
        }
    }

    const InstallerProcess& m_installer;
    HANDLE m_thread = nullptr;
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_distinct{0};
    std::set<int> m_positions;
};

std::string LogText(const InstallerProcess& installer) {
    return WindowText(ProgressPageItem(installer, IDC_INSTALL_LOG));
}

// Asks the main window to close and expects the refusal 61216, answered with OK.
void ExpectCloseRefused(InstallerProcess& installer, const char* when) {
    PostMessageA(installer.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        box = installer.FindMessageBox();
        return box != nullptr && MessageBoxText(box) == InstallerString(IDS_CANNOT_QUIT_INSTALLING);
    })) << when;
    ASSERT_TRUE(AnswerMessageBox(box, IDOK)) << when;
}

// Waits for a message box with the given text (there may be another box open).
HWND WaitForBoxWithText(const InstallerProcess& installer, const std::string& text, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            found = installer.FindMessageBox();
            return found != nullptr && MessageBoxText(found) == text;
        },
        timeoutMs);
    return found;
}

// Next on the selection page, then OK on the confirmation 61213.
void ConfirmInstallation(const InstallerProcess& installer) {
    ASSERT_EQ(WalkConfirmInstallation(installer, [] { SaveScreenshot("05-confirm-install"); }), "");
}

TEST(InstallerTexts, StringTableMatchesTheEngineTexts) {
    struct Text {
        UINT id;
        const char* engine;
    };
    const Text texts[] = {
        {IDS_NO_FONT_SELECTED, kTextNoFontChosen},  {IDS_NEED_ADMIN, kTextNeedsAdministrator},
        {IDS_FAILED_COUNT, kTextFontsFailed},       {IDS_ALL_DONE, kTextAllInstalled},
        {IDS_FONT_EXISTS, kTextFontAlreadyPresent},
    };
    for (const Text& t : texts) EXPECT_EQ(InstallerString(t.id), t.engine) << t.id;
}

TEST_F(InstallerTest, WholeInstallationIntoTheSystemFontFolder) {
    StartInstallerWithPackage("small");
    GoToSelection();
    EXPECT_EQ(WindowText(m_installer.PageItem(IDC_PRODUCT_NAME)), Sjis("小さなテスト書体"));
    EXPECT_EQ(ListBoxText(m_installer.PageItem(IDC_FONT_LIST), 2),
              Sjis("vlsmall3.ttf                  (VL Sans Mono Book)"));

    ConfirmInstallation(m_installer);
    ASSERT_TRUE(WaitForPage(3));
    // The summary box comes from the worker; until it is answered nothing may close.
    HWND summary = WaitForBoxWithText(m_installer, InstallerString(IDS_ALL_DONE), 120000);
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(WizardButtons(m_installer), "----");
    SaveScreenshot("07-summary");
    ExpectCloseRefused(m_installer, "summary box open");
    ASSERT_TRUE(AnswerMessageBox(summary, IDOK));

    EXPECT_EQ(WaitForWizardButtons(m_installer, "-N-C"), "-N-C");
    EXPECT_EQ(ProgressPos(m_installer), 0);
    EXPECT_EQ(LogText(m_installer), FontLog("vlsmall1.ttf(VL Sans Book)", "[成功しました]") +
                                        FontLog("vlsmall2.ttf(VL Sans Bold)", "[成功しました]") +
                                        FontLog("vlsmall3.ttf(VL Sans Mono Book)", "[成功しました]") +
                                        ClosingLog());
    // The caret stands at the end of the log, with nothing selected, also once
    // the log has the focus back from the summary box.
    HWND log = m_installer.PageItem(IDC_INSTALL_LOG);
    const LRESULT selection = SendMessageA(log, EM_GETSEL, 0, 0);
    EXPECT_EQ(LOWORD(selection), HIWORD(selection));
    EXPECT_EQ(SendMessageA(log, EM_LINEFROMCHAR, HIWORD(selection), 0),
              SendMessageA(log, EM_GETLINECOUNT, 0, 0) - 1);
    SaveScreenshot("08-progress-finished");

    ASSERT_EQ(WalkToRegistrationPage(m_installer), "");
    SaveScreenshot("09-registration");
    EXPECT_EQ(WalkFinish(m_installer), "");

    const char* sources[3] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                              "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
                              "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf"};
    const char* values[3] = {"VL Sans Book (TrueType)", "VL Sans Bold (TrueType)",
                             "VL Sans Mono Book (TrueType)"};
    for (int i = 0; i < 3; ++i) {
        const std::string file = "vlsmall" + std::to_string(i + 1) + ".ttf";
        const std::string installed = ReadFileBytes(std::string(kFontsFolder) + "\\" + file);
        EXPECT_FALSE(installed.empty()) << file;
        EXPECT_TRUE(installed == ReadFileBytes(WindowsPathOf(sources[i])))
            << file << " differs from its source";
        EXPECT_EQ(RegisteredValueName(file), values[i]) << file;
    }
}

TEST_F(InstallerTest, FailedAndLatePresentFontsAreCountedAndTheOthersInstalled) {
    StartInstallerWithPackage("mixed");
    GoToSelection();

    ProgressSampler sampler(m_installer);
    ConfirmInstallation(m_installer);
    // The third font's file appears while the first (large) one is installed.
    const std::string late = std::string(kFontsFolder) + "\\vllate.ttf";
    HANDLE file = CreateFileA(late.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    ASSERT_TRUE(WaitForPage(3));
    EXPECT_EQ(WaitForWizardButtons(m_installer, "----"), "----");
    ExpectCloseRefused(m_installer, "installing");
    const std::string failedText = InstallerString(IDS_FAILED_COUNT);
    char expectedSummary[256];
    wsprintfA(expectedSummary, failedText.c_str(), 2);
    HWND summary = nullptr;
    bool screenshotTaken = false;
    DWORD slowestAnswer = 0;
    WaitUntil(
        [&] {
            // The window keeps answering while the worker decodes and writes.
            const DWORD asked = GetTickCount();
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(m_installer.MainWindow(), WM_NULL, 0, 0, SMTO_BLOCK, 10000, &ignored);
            slowestAnswer = std::max(slowestAnswer, GetTickCount() - asked);
            if (!screenshotTaken && sampler.DistinctPositions() >= 3) {
                SaveScreenshot("06-progress-running", false);
                screenshotTaken = true;
            }
            summary = WaitForBoxWithText(m_installer, expectedSummary, 0);
            return summary != nullptr;
        },
        180000, 5);
    ASSERT_NE(summary, nullptr);
    // The bar moved through several positions while the large font was installed.
    const std::set<int> seen = sampler.Stop();
    std::string seenList;
    for (int pos : seen) seenList += " " + std::to_string(pos);
    EXPECT_GE(seen.size(), 3u) << "positions seen:" << seenList;
    EXPECT_LT(slowestAnswer, 2000u);
    ExpectCloseRefused(m_installer, "summary box open");
    ASSERT_TRUE(AnswerMessageBox(summary, IDOK));
    EXPECT_EQ(WaitForWizardButtons(m_installer, "-N-C"), "-N-C");

    EXPECT_EQ(LogText(m_installer),
              FontLog("vlbig.ttf(IPAゴシック Regular)", "[成功しました]") +
                  FontLog("vlbroken.ttf(VL Sans Book)", "[失敗しました]") +
                  FontLog("vllate.ttf(VL Sans Bold)",
                          "[インストール先にすでに存在します。インストールしません。]") +
                  ClosingLog());
    EXPECT_EQ(GetFileAttributesA((std::string(kFontsFolder) + "\\vlbroken.ttf").c_str()),
              INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(ReadFileBytes(late), "");

    // After the installation the window closes without a question.
    PostMessageA(m_installer.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(m_installer.WaitForExit());
    EXPECT_EQ(m_installer.FindMessageBox(), nullptr);
    DeleteFileA(late.c_str());
}

TEST_F(InstallerTest, CheckedFontAlreadyInTheDestinationRefusesToStart) {
    const std::string present = std::string(kFontsFolder) + "\\beta.ttf";
    HANDLE file = CreateFileA(present.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    StartInstaller();
    GoToSelection();
    PressNext();
    ASSERT_TRUE(AnswerBoxWithText(m_installer, InstallerString(IDS_FONT_EXISTS), IDOK));
    EXPECT_EQ(m_installer.CurrentPage(), 2);
    EXPECT_EQ(WaitForWizardButtons(m_installer, "BN-C"), "BN-C");

    // Unchecked, the same font no longer stands in the way: the confirmation comes.
    HWND list = m_installer.PageItem(IDC_FONT_LIST);
    SendMessageA(list, LB_SETCURSEL, 1, 0);
    PostMessageA(list, WM_KEYDOWN, VK_SPACE, 0);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LB_GETITEMDATA, 1, 0) == 0; }));
    PressNext();
    ASSERT_TRUE(AnswerBoxWithText(m_installer, InstallerString(IDS_CONFIRM_INSTALL), IDCANCEL));
    DeleteFileA(present.c_str());
}

TEST_F(InstallerTest, CancelOnTheConfirmationLeavesEverythingAsItWas) {
    StartInstaller();
    GoToSelection();
    PressNext();
    ASSERT_TRUE(AnswerBoxWithText(m_installer, InstallerString(IDS_CONFIRM_INSTALL), IDCANCEL));
    Sleep(300);
    EXPECT_EQ(m_installer.CurrentPage(), 2);
    EXPECT_EQ(WizardButtons(m_installer), "BN-C");

    // Not installing: a close request asks 61208 rather than refusing with 61216.
    Click(m_installer.SheetButton(IDCANCEL));
    ASSERT_TRUE(AnswerBoxWithText(m_installer, InstallerString(IDS_CONFIRM_QUIT), IDCANCEL));
    EXPECT_TRUE(m_installer.IsRunning());
}

TEST_F(InstallerTest, InstallingOutsideTheSystemFontFolderRegistersNothing) {
    const std::string outside = "C:\\vloutside";
    CreateDirectoryA(outside.c_str(), nullptr);
    StartInstallerWithPackage("outside");
    GoToSelection();

    HWND picker = OpenFolderPicker();
    ASSERT_NE(picker, nullptr);
    ASSERT_TRUE(SelectInFolderTree(picker, {Sjis("マイ コンピューター"), "C:", "vloutside"}));
    ASSERT_TRUE(AnswerMessageBox(picker, IDOK));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(m_installer.PageItem(IDC_DEST_DIR)) == outside; }))
        << WindowText(m_installer.PageItem(IDC_DEST_DIR));

    ConfirmInstallation(m_installer);
    HWND summary = WaitForBoxWithText(m_installer, InstallerString(IDS_ALL_DONE), 120000);
    ASSERT_NE(summary, nullptr);
    ASSERT_TRUE(AnswerMessageBox(summary, IDOK));
    EXPECT_EQ(WaitForWizardButtons(m_installer, "-N-C"), "-N-C");

    const std::string installed = ReadFileBytes(outside + "\\vlout1.ttf");
    EXPECT_FALSE(installed.empty());
    EXPECT_TRUE(installed ==
                ReadFileBytes(WindowsPathOf("/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf")));
    EXPECT_EQ(RegisteredValueName("vlout1.ttf"), "");
    EXPECT_EQ(GetFileAttributesA((std::string(kFontsFolder) + "\\vlout1.ttf").c_str()),
              INVALID_FILE_ATTRIBUTES);
}

TEST_F(InstallerTest, CancellingTheFolderPickerKeepsTheDestination) {
    StartInstaller();
    GoToSelection();
    HWND picker = OpenFolderPicker();
    ASSERT_NE(picker, nullptr);
    SaveScreenshot("04-folder-picker");
    ASSERT_TRUE(AnswerMessageBox(picker, IDCANCEL));
    EXPECT_EQ(WindowText(m_installer.PageItem(IDC_DEST_DIR)), kFontsFolder);
    EXPECT_EQ(WaitForWizardButtons(m_installer, "BN-C"), "BN-C");
}

}  // namespace
