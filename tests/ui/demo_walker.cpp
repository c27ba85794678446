// Walks the demo installer's wizard with nobody at the keyboard: the demo run
// uses it on a machine without a display, saving a screenshot of each page.
// With --bench N it times the whole installation of the demo package N times
// each from the wizard, from the command line (vellfont.exe install) and by
// the reference program (bench/reference_install.cpp: the same ready font
// files copied, loaded and registered as the system's own font install does),
// alternating in one run, each in a fresh process.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "tests/ui/installer_driver.h"
#include "tests/ui/wizard_walk.h"

namespace {

const char kFontsFolder[] = "C:\\windows\\Fonts\\";

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

double Now() {
    LARGE_INTEGER counter, frequency;
    QueryPerformanceCounter(&counter);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool Step(bool ok, const char* what) {
    std::printf("%s %s\n", ok ? "ok:    " : "FAILED:", what);
    std::fflush(stdout);
    return ok;
}

// A shared walk step: "" when it went as expected, else what was seen.
bool Step(const std::string& problem, const char* what) {
    if (problem.empty()) return Step(true, what);
    std::printf("FAILED: %s (%s)\n", what, problem.c_str());
    std::fflush(stdout);
    return false;
}

void Shot(bool screenshots, const char* name, bool settle = true) {
    if (screenshots) SaveScreenshot(name, settle);
}

HWND PageControl(const InstallerProcess& installer, int page, int id) {
    HWND hwnd = reinterpret_cast<HWND>(SendMessageA(installer.Sheet(), PSM_INDEXTOHWND, page, 0));
    return GetDlgItem(hwnd, id);
}

// One pass through the wizard; the seconds from the confirmed start to the
// summary box, or a negative value when something was not as expected.
double WalkWizard(const std::string& exe, bool screenshots, const std::string& logFile) {
    InstallerProcess installer;
    if (!Step(installer.Start(exe), "installer started")) return -1;
    if (!Step(installer.WaitForMainWindow(30000) != nullptr, "main window")) return -1;
    if (!Step(WaitForWizardButtons(installer, "BN-C", 15000) == "BN-C", "welcome page, Back and Next"))
        return -1;
    Shot(screenshots, "01-welcome");

    if (!Step(WalkToLicencePage(installer), "licence page, Next disabled")) return -1;
    Shot(screenshots, "02-licence");
    if (!Step(WalkAcceptLicence(installer), "licence accepted, Next enabled")) return -1;
    if (!Step(WalkToSelectionPage(installer), "selection page")) return -1;
    Shot(screenshots, "03-selection");

    if (!Step(WalkConfirmInstallation(installer, [&] { Shot(screenshots, "04-confirm-install"); }),
              "confirmation 61213"))
        return -1;
    const double start = Now();

    bool runningShot = false;
    HWND summary = nullptr;
    WaitUntil(
        [&] {
            if (!runningShot && installer.CurrentPage() == 3 &&
                SendMessageA(PageControl(installer, 3, IDC_PROGRESS), PBM_GETPOS, 0, 0) >= 30) {
                Shot(screenshots, "05-progress-running", false);
                runningShot = true;
            }
            summary = installer.FindMessageBox();
            return summary != nullptr;
        },
        600000);
    const double seconds = Now() - start;
    if (!Step(summary != nullptr, "summary box")) return -1;
    Shot(screenshots, "06-summary");
    std::ofstream(logFile, std::ios::binary) << MessageBoxText(summary) << "\r\n";
    AnswerMessageBox(summary, IDOK);
    if (!Step(WaitForWizardButtons(installer, "-N-C") == "-N-C", "Next and Cancel enabled again")) return -1;
    std::ofstream(logFile, std::ios::binary | std::ios::app)
        << WindowText(PageControl(installer, 3, IDC_INSTALL_LOG));
    Shot(screenshots, "07-progress-finished");

    if (!Step(WalkToRegistrationPage(installer), "registration page, Finish only")) return -1;
    Shot(screenshots, "08-registration");
    if (!Step(WalkFinish(installer), "Finish closed the installer without a question")) return -1;
    return seconds;
}

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos) end = text.size();
        if (end > start) parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string FileNameOf(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

void RemoveInstalled(const std::vector<std::string>& sources) {
    for (const std::string& source : sources) DeleteFileA((kFontsFolder + FileNameOf(source)).c_str());
}

// Seconds from starting the command line to the end of its process. Its
// output goes to a log file, as a deployment tool keeps it: a console that
// nobody sees would cost more than the installation under Wine.
double TimeProcess(std::string commandLine, const std::string& logPath) {
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE log = CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return -1;
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = nullptr;
    startup.hStdOutput = log;
    startup.hStdError = log;
    PROCESS_INFORMATION info = {};
    const double start = Now();
    const BOOL started = CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                        nullptr, nullptr, &startup, &info);
    CloseHandle(log);
    if (!started) return -1;
    WaitForSingleObject(info.hProcess, INFINITE);
    const double seconds = Now() - start;
    DWORD code = 1;
    GetExitCodeProcess(info.hProcess, &code);
    CloseHandle(info.hProcess);
    CloseHandle(info.hThread);
    // A run that did not install everything is no figure.
    return code == 0 ? seconds : -1;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int Bench(int rounds) {
    const std::string exe = Env("VL_INSTALLER_EXE");
    const std::vector<std::string> sources = Split(Env("VL_BENCH_SOURCES"), ';');
    const std::string vellfont = Env("VL_BENCH_VELLFONT");
    const std::string fontData = Env("VL_BENCH_FONTDATA");
    std::string reference = Quoted(Env("VL_BENCH_REFERENCE"));
    for (const std::string& source : sources) reference += " " + Quoted(source);
    const std::string commandLine = Quoted(vellfont) + " install " + Quoted(fontData);
    // The wizard's log of each round goes to the temporary folder, not beside us.
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string benchLog = std::string(temp) + "vl-bench-log.txt";
    std::vector<double> ref, cli, wizard;
    bool failed = false;
    for (int round = 0; round < rounds; ++round) {
        RemoveInstalled(sources);
        ref.push_back(TimeProcess(reference, std::string(temp) + "vl-bench-reference.txt"));
        RemoveInstalled(sources);
        cli.push_back(TimeProcess(commandLine, std::string(temp) + "vl-bench-vellfont.txt"));
        RemoveInstalled(sources);
        wizard.push_back(WalkWizard(exe, false, benchLog));
        RemoveInstalled(sources);
        std::printf("round %d: reference %.3f s, command line %.3f s, wizard %.3f s\n", round + 1, ref.back(),
                    cli.back(), wizard.back());
        std::fflush(stdout);
        failed = failed || ref.back() < 0 || cli.back() < 0 || wizard.back() < 0;
    }
    const double refMedian = Median(ref);
    std::printf(
        "median of %d: reference %.3f s, command line %.3f s (%.2fx reference), wizard %.3f s (%.2fx "
        "reference)\n",
        rounds, refMedian, Median(cli), Median(cli) / refMedian, Median(wizard), Median(wizard) / refMedian);
    return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--bench") return Bench(std::max(1, std::atoi(argv[2])));
    const std::string logFile = argc >= 2 ? argv[1] : "demo-log.txt";
    return WalkWizard(Env("VL_INSTALLER_EXE"), true, logFile) >= 0 ? 0 : 1;
}
