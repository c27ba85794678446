#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Drives a running VellInstaller.exe from another process, the way a user
// would: finds its windows, clicks, reads texts and button states, answers
// message boxes. Everything waits with a timeout instead of sleeping blindly.

// Wizard button ids of the system's property sheet.
constexpr int kBackButton = 0x3023;
constexpr int kNextButton = 0x3024;
constexpr int kFinishButton = 0x3025;

// A folder holding a copy of the installer and its FONTDATA.
class InstallerFolder {
public:
    InstallerFolder();
    ~InstallerFolder();
    InstallerFolder(const InstallerFolder&) = delete;
    InstallerFolder& operator=(const InstallerFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string ExePath() const { return m_path + "\\VellInstaller.exe"; }
    std::string FontDataDir() const { return m_path + "\\FONTDATA"; }
    // Writes FONTDATA\otf.inf scrambled from a plain Shift-JIS text.
    void WriteInf(const std::string& plainSjis) const;
    void WriteRawInf(const std::string& bytes) const;
    // Copies every file of a package the test stage packed (VL_TEST_PACKAGES/<name>).
    bool CopyPackage(const std::string& name) const;

private:
    std::string m_path;
};

// The plain test catalogue (Shift-JIS): one package of three fonts, type TTF.
std::string TestInfText();
// Its fonts' padded list labels, in order.
extern const char* const kTestFontLabels[3];

// A Unix path as Wine's drive Z: shows it.
std::string WindowsPathOf(const std::string& unixPath);
// The file's bytes; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);

// The installer's resources, read from the executable as data.
std::string InstallerString(UINT id);
std::string InstallerNotice();

class InstallerProcess {
public:
    InstallerProcess() = default;
    ~InstallerProcess();
    InstallerProcess(const InstallerProcess&) = delete;
    InstallerProcess& operator=(const InstallerProcess&) = delete;

    bool Start(const std::string& exePath);
    // True when the process ends within the timeout.
    bool WaitForExit(DWORD timeoutMs = 10000);
    bool IsRunning() const;
    DWORD Pid() const { return m_pid; }
    void Kill();

    // The main frame, the form view and the wizard sheet (null until they exist).
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);
    HWND MainWindow() const { return m_main; }
    HWND Sheet() const;
    HWND View() const;
    HWND SheetButton(int id) const { return GetDlgItem(Sheet(), id); }
    // The current page's index (0..4), -1 when unknown.
    int CurrentPage() const;
    HWND CurrentPageHwnd() const;
    HWND PageItem(int id) const { return GetDlgItem(CurrentPageHwnd(), id); }

    // A message box of this process captioned "VellInstaller" (or a given caption).
    HWND WaitForMessageBox(DWORD timeoutMs = 10000, const char* caption = "VellInstaller") const;
    HWND FindMessageBox(const char* caption = "VellInstaller") const;

private:
    PROCESS_INFORMATION m_info = {};
    DWORD m_pid = 0;
    HWND m_main = nullptr;
};

// Polls until the condition holds; false on timeout.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = 10000, DWORD intervalMs = 50);

// Text of another process's window (WM_GETTEXT, which the system marshals).
std::string WindowText(HWND hwnd);
std::string MessageBoxText(HWND box);
// Entry index of another process's list box, as Shift-JIS.
std::string ListBoxText(HWND list, int index);
// Picks a folder in the shell's folder picker of another process: from the
// tree's root, each step chooses the child whose text contains the step's text
// (Shift-JIS), expanding on the way; the last one is selected. False when a
// step finds nothing.
bool SelectInFolderTree(HWND picker, const std::vector<std::string>& steps);

// Clicks a button the way the mouse would, without waiting for the result.
void Click(HWND button);
// Presses a message box's button (IDOK, IDCANCEL) and waits for the box to go.
bool AnswerMessageBox(HWND box, int buttonId);
bool IsEnabled(HWND hwnd);
bool IsShown(HWND hwnd);

// Wizard buttons as a compact text for assertions: "BNFC" letters for enabled
// and visible Back, Next, Finish, Cancel, '-' for the others.
std::string WizardButtons(const InstallerProcess& installer);
// Waits until the buttons read expected; returns the last reading.
std::string WaitForWizardButtons(const InstallerProcess& installer, const std::string& expected,
                                 DWORD timeoutMs = 10000);

// Starts a Unix program (its path a Unix one) without waiting for it.
bool StartUnixProgram(std::string commandLine);

// Saves a screenshot of the whole display as <VL_SCREENSHOT_DIR>/<name>.png,
// with tests/ui/screenshot.sh (VL_SCREENSHOT_SCRIPT), when the run provides both.
// settle false takes the screen as it is (for a bar that keeps moving).
void SaveScreenshot(const std::string& name, bool settle = true);
