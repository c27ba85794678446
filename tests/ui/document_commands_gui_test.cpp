// The document commands the main window keeps: Ctrl+O opens a file into the
// document (which reads nothing from it), Ctrl+S saves an empty file and shows
// its name in the caption, and both add the file to the recent-file list that
// the program keeps under the user's key between runs.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "platform/framework/command_ids.h"
#include "resources/resource.h"
#include "tests/ui/installer_test_fixture.h"

namespace {

const char kRecentFilesKey[] =
    "Software\\Local AppWizard-Generated Applications\\VellInstaller\\Recent File List";
constexpr int kFileNameCombo = 0x47c;  // the file dialogs' file-name box (cmb13)
constexpr int kFileNameEdit = 0x480;   // the same in the older layout (edt1)

BOOL CALLBACK TakeFirstEdit(HWND child, LPARAM result) {
    char className[16] = {};
    GetClassNameA(child, className, sizeof(className));
    if (lstrcmpiA(className, "Edit") != 0) return TRUE;
    *reinterpret_cast<HWND*>(result) = child;
    return FALSE;
}

// The edit field inside a combo box, however deep the combo nests it.
HWND FirstEditIn(HWND parent) {
    HWND found = nullptr;
    if (parent != nullptr) EnumChildWindows(parent, TakeFirstEdit, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The installer's accelerator table, read from the executable as data.
std::vector<ACCEL> InstallerAccelerators(const std::string& exePath) {
    std::vector<ACCEL> entries;
    HMODULE module = LoadLibraryExA(exePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (module == nullptr) return entries;
    if (HACCEL table = LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDR_MAINFRAME))) {
        entries.resize(static_cast<size_t>(CopyAcceleratorTableA(table, nullptr, 0)));
        CopyAcceleratorTableA(table, entries.data(), static_cast<int>(entries.size()));
        DestroyAcceleratorTable(table);
    }
    FreeLibrary(module);
    return entries;
}

void ClearRecentFiles() { RegDeleteKeyA(HKEY_CURRENT_USER, kRecentFilesKey); }

void WriteRecentFiles(const std::vector<std::string>& paths) {
    HKEY key = nullptr;
    ASSERT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, kRecentFilesKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
        ERROR_SUCCESS);
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string name = "File" + std::to_string(i + 1);
        RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(paths[i].c_str()),
                       static_cast<DWORD>(paths[i].size() + 1));
    }
    RegCloseKey(key);
}

// The list as stored, File1 first, up to the first missing entry (at most 8).
std::vector<std::string> ReadRecentFiles() {
    std::vector<std::string> paths;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRecentFilesKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return paths;
    for (int i = 1; i <= 8; ++i) {
        char value[MAX_PATH] = {};
        DWORD size = sizeof(value) - 1;
        const std::string name = "File" + std::to_string(i);
        if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
            ERROR_SUCCESS)
            break;
        paths.push_back(value);
    }
    RegCloseKey(key);
    return paths;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class DocumentCommandsTest : public InstallerTest {
protected:
    void SetUp() override { ClearRecentFiles(); }
    void TearDown() override {
        InstallerTest::TearDown();
        ClearRecentFiles();
    }

    // Types a full path into the open or save dialog the command brought up and confirms it.
    ::testing::AssertionResult ChooseInFileDialog(const std::string& path) {
        HWND dialog = nullptr;
        WaitUntil([&] {
            dialog = m_installer.FindMessageBox(nullptr);
            return dialog != nullptr;
        });
        if (dialog == nullptr) return ::testing::AssertionFailure() << "no file dialog";
        HWND name = FirstEditIn(GetDlgItem(dialog, kFileNameCombo));
        if (name == nullptr) name = GetDlgItem(dialog, kFileNameEdit);
        if (name == nullptr) return ::testing::AssertionFailure() << "no file-name box";
        SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
        Click(GetDlgItem(dialog, IDOK));
        if (!WaitUntil([&] { return !IsWindow(dialog); }))
            return ::testing::AssertionFailure() << "the file dialog stayed open";
        return ::testing::AssertionSuccess();
    }

    // Ends the program the user's way (File, exit, confirm), so that it stores its settings.
    void QuitAndConfirm() {
        PostMessageA(m_installer.MainWindow(), WM_COMMAND, ID_APP_EXIT, 0);
        ASSERT_TRUE(AnswerBoxWithText(m_installer, InstallerString(IDS_CONFIRM_QUIT), IDOK));
        ASSERT_TRUE(m_installer.WaitForExit());
    }
};

TEST_F(DocumentCommandsTest, ControlKeysReachTheDocumentCommands) {
    struct Key {
        char letter;
        WORD command;
    };
    const Key keys[] = {{'N', ID_FILE_NEW}, {'O', ID_FILE_OPEN}, {'S', ID_FILE_SAVE}};
    const std::vector<ACCEL> table = InstallerAccelerators(m_folder.ExePath());
    ASSERT_FALSE(table.empty());
    for (const Key& key : keys) {
        bool found = false;
        for (const ACCEL& entry : table) {
            if (entry.key == key.letter && entry.fVirt == (FVIRTKEY | FCONTROL | FNOINVERT)) {
                EXPECT_EQ(entry.cmd, key.command) << "Ctrl+" << key.letter;
                found = true;
            }
        }
        EXPECT_TRUE(found) << "Ctrl+" << key.letter << " is not in the table";
    }
}

TEST_F(DocumentCommandsTest, OpenReadsNothingKeepsTheWizardAndIsRemembered) {
    const std::string opened = m_folder.path() + "\\opened.txt";
    std::ofstream(opened, std::ios::binary) << "not a document";
    StartInstaller();
    AcceptLicence();
    const std::string caption = WindowText(m_installer.MainWindow());

    PostMessageA(m_installer.MainWindow(), WM_COMMAND, ID_FILE_OPEN, 0);  // Ctrl+O
    ASSERT_TRUE(ChooseInFileDialog(opened));
    // The view's first step runs again, as for a new document: its title
    // comes back and the wizard stays where it was.
    Sleep(300);
    EXPECT_EQ(WindowText(m_installer.MainWindow()), caption);
    EXPECT_EQ(m_installer.CurrentPage(), 1);
    EXPECT_EQ(WizardButtons(m_installer), "-N-C");
    EXPECT_EQ(ReadFileBytes(opened), "not a document");

    QuitAndConfirm();
    EXPECT_EQ(ReadRecentFiles(), std::vector<std::string>{opened});
}

TEST_F(DocumentCommandsTest, SaveWritesAnEmptyFileNamedInTheCaption) {
    const std::string saved = m_folder.path() + "\\saved.dat";
    StartInstaller();

    PostMessageA(m_installer.MainWindow(), WM_COMMAND, ID_FILE_SAVE, 0);  // Ctrl+S
    ASSERT_TRUE(ChooseInFileDialog(saved));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(saved); }));
    EXPECT_EQ(ReadFileBytes(saved), "");
    EXPECT_TRUE(WaitUntil([&] {
        return WindowText(m_installer.MainWindow()) == "VellInstaller - saved.dat";
    })) << WindowText(m_installer.MainWindow());
    EXPECT_EQ(m_installer.CurrentPage(), 0);
}

// The list holds four entries, newest first; one chosen again moves to the top.
TEST_F(DocumentCommandsTest, RecentFileListKeepsFourNewestFirst) {
    const std::string dir = m_folder.path();
    WriteRecentFiles({dir + "\\one.dat", dir + "\\two.dat", dir + "\\three.dat", dir + "\\four.dat"});
    StartInstaller();

    PostMessageA(m_installer.MainWindow(), WM_COMMAND, ID_FILE_SAVE, 0);
    ASSERT_TRUE(ChooseInFileDialog(dir + "\\five.dat"));
    ASSERT_TRUE(WaitUntil([&] { return FileExists(dir + "\\five.dat"); }));
    QuitAndConfirm();
    const std::vector<std::string> expected = {dir + "\\five.dat", dir + "\\one.dat", dir + "\\two.dat",
                                               dir + "\\three.dat"};
    EXPECT_EQ(ReadRecentFiles(), expected);

    ASSERT_TRUE(m_installer.Start(m_folder.ExePath()));
    ASSERT_NE(m_installer.WaitForMainWindow(), nullptr);
    ASSERT_EQ(WaitForWizardButtons(m_installer, "BN-C"), "BN-C");
    PostMessageA(m_installer.MainWindow(), WM_COMMAND, ID_FILE_SAVE, 0);
    ASSERT_TRUE(ChooseInFileDialog(dir + "\\TWO.DAT"));  // names compare without case
    QuitAndConfirm();
    const std::vector<std::string> moved = {dir + "\\TWO.DAT", dir + "\\five.dat", dir + "\\one.dat",
                                            dir + "\\three.dat"};
    EXPECT_EQ(ReadRecentFiles(), moved);
}

}  // namespace
