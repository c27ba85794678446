// install: the install job of the wizard, unattended, for deploying a package
// to many machines. Exit status 0: every chosen font installed; 1: some not;
// 2: nothing could start (unusable package or destination, a refused check).
#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <vector>

#include "catalogue/inf_loader.h"
#include "install/font_codec.h"
#include "install/font_registration.h"
#include "install/install_checks.h"
#include "install/install_job.h"
#include "install/install_one_font.h"
#include "install/install_texts.h"
#include "install/progress.h"
#include "platform/console_output.h"
#include "platform/install_platform.h"
#include "platform/installation_lock.h"
#include "platform/shift_jis.h"
#include "platform/text_encoding.h"
#include "tools/vellfont/commands.h"
#include "tools/vellfont/console.h"

namespace {

constexpr int kExitSomeFailed = 1;
constexpr int kExitNotStarted = 2;

struct InstallOptions {
    std::string fontDataDir;
    std::string destDir;
    std::vector<std::string> fonts;
    int package = 0;
};

// A one-line bar on stderr, drawn only when stderr is a terminal.
class VLConsoleBar : public IVLProgressBar {
public:
    VLConsoleBar() : m_bVisible(IsTerminal(stderr)) {}

    int32_t GetPos() override { return m_position; }
    void SetPos(int32_t position) override {
        m_position = position < 0 ? 0 : (position > 100 ? 100 : position);
        if (!m_bVisible) return;
        // At most ten redraws a second, besides the ends of a font, and never
        // more than a tenth of the time, the ends included: a console write
        // can cost milliseconds (under Wine with a display far more), and the
        // bar moves up to a hundred times per font.
        const auto start = std::chrono::steady_clock::now();
        const bool end = m_position == 0 || m_position == 100;
        if (m_bDrawn && start < (end ? m_nextEndDraw : m_nextDraw)) return;
        const int filled = m_position * kWidth / 100;
        std::fprintf(stderr, "\r[%s%s] %3d%%", std::string(static_cast<size_t>(filled), '#').c_str(),
                     std::string(static_cast<size_t>(kWidth - filled), ' ').c_str(), m_position);
        std::fflush(stderr);
        m_bDrawn = true;
        const auto took = std::chrono::steady_clock::now() - start;
        m_nextEndDraw = start + took * 10;
        m_nextDraw = std::max(m_nextEndDraw, start + std::chrono::milliseconds(100));
    }
    // Clears the bar's line so that a log line can take it.
    void Clear() {
        if (!m_bDrawn) return;
        std::fprintf(stderr, "\r%*s\r", kWidth + 7, "");
        std::fflush(stderr);
        m_bDrawn = false;
    }

private:
    static constexpr int kWidth = 40;
    int32_t m_position = 0;
    bool m_bVisible;
    bool m_bDrawn = false;
    std::chrono::steady_clock::time_point m_nextDraw;
    std::chrono::steady_clock::time_point m_nextEndDraw;
};

// The job's host on the console: the log on stdout, no wizard to update.
class VLConsoleHost : public IVLInstallHost {
public:
    VLConsoleHost(std::vector<bool> checked, VLConsoleBar& bar) : m_checked(std::move(checked)), m_bar(bar) {}

    bool IsFontChecked(int32_t index) override {
        return index >= 0 && static_cast<size_t>(index) < m_checked.size() &&
               m_checked[static_cast<size_t>(index)];
    }
    void AppendLog(const std::string& text) override {
        m_bar.Clear();
        // The page's line of a lone line feed shows as one empty line.
        std::cout << (text == kTextLineFeed ? std::string() : ShiftJisForConsole(EscapeControls(text)))
                  << std::endl;
        m_lastLine = text;
    }
    // The summary box; when it only repeats the closing line it is left out.
    void ShowMessage(const std::string& text) override {
        if (text != m_lastLine) AppendLog(text);
    }
    void JobFinished() override {}
    std::string LoadText(VLJobText) override { return std::string(); }

private:
    std::vector<bool> m_checked;
    VLConsoleBar& m_bar;
    std::string m_lastLine;
};

// A command-line argument as the engine's Shift-JIS path or name.
std::string ArgumentText(const std::string& argument, const char* what) {
#ifdef _WIN32
    (void)what;
    return argument;
#else
    const std::optional<std::string> sjis = Utf8ToShiftJis(argument);
    if (!sjis)
        Fail(kExitNotStarted, std::string(what) + " '" + argument + "' cannot be written in Shift-JIS");
    return *sjis;
#endif
}

// Without its trailing separators (the job adds one); a drive root keeps "C:".
std::string WithoutTrailingSeparators(std::string folder) {
    while (folder.size() > 1) {
        const char last = folder.back();
        if (last == '/' || (last == '\\' && FindLastSingleByte(folder, '\\') == folder.size() - 1)) {
            folder.pop_back();
        } else {
            break;
        }
    }
    return folder;
}

std::string DestinationOf(const InstallOptions& options, VLInstallPlatform& platform) {
    if (!options.destDir.empty())
        return WithoutTrailingSeparators(ArgumentText(options.destDir, "destination"));
#ifdef _WIN32
    const std::string windowsFolder = GetWindowsFolder(platform.system);
    if (windowsFolder.empty()) Fail(kExitNotStarted, "the Windows folder cannot be read; give --dest");
    return windowsFolder + "\\Fonts";
#else
    (void)platform;
    Fail(kExitNotStarted, "there is no system font folder here; give --dest");
#endif
}

std::vector<bool> ChosenFonts(const InstallOptions& options, const VLPackageInfo& package) {
    std::vector<bool> checked(package.m_fonts.size(), options.fonts.empty());
    for (const std::string& name : options.fonts) {
        const std::string baseName = ArgumentText(name, "font name");
        bool found = false;
        for (size_t i = 0; i < package.m_fonts.size(); ++i) {
            if (package.m_fonts[i].m_baseName == baseName) checked[i] = found = true;
        }
        if (!found)
            Fail(kExitNotStarted,
                 "package " + std::to_string(options.package) + " has no font '" + name + "'");
    }
    return checked;
}

void Install(const InstallOptions& options) {
    const std::string infPath = JoinPath(options.fontDataDir, "otf.inf");
    const std::unique_ptr<VLInfFile> catalogue = LoadInfFile(infPath);
    if (!catalogue) {
        Fail(kExitNotStarted,
             infPath + ": not a usable settings file (missing, unreadable, scrambled wrongly or invalid)");
    }
    if (options.package < 0 || options.package >= catalogue->GetPackageCount()) {
        Fail(kExitNotStarted, "no package " + std::to_string(options.package) + " (the settings file has " +
                                  std::to_string(catalogue->GetPackageCount()) + ")");
    }
    const VLPackageInfo& package = catalogue->GetPackage(options.package);
    const std::vector<bool> checked = ChosenFonts(options, package);

    VLInstallPlatform& platform = GetSystemInstallPlatform();
    const std::string fontDataDir = ArgumentText(options.fontDataDir, "FONTDATA folder");
    const std::string destDir = DestinationOf(options, platform);
    if (!platform.files.Exists(destDir))
        Fail(kExitNotStarted, options.destDir + ": no such destination folder");

    const VLIsChecked isChecked = [&checked](int32_t index) {
        return index >= 0 && static_cast<size_t>(index) < checked.size() &&
               checked[static_cast<size_t>(index)];
    };
    // The wizard's single-instance lock: never two installations at once.
    const std::unique_ptr<VLInstallationLock> lock = TakeInstallationLock();
    if (!lock)
        Fail(kExitNotStarted,
             "another installation is running (the installer or vellfont install); try again when it has "
             "finished");
    const VLStartRefusal refusal =
        CheckInstallStart(platform.system, platform.files, package, isChecked, destDir);
    if (refusal != VLStartRefusal::kNone)
        Fail(kExitNotStarted, ShiftJisForConsole(StartRefusalText(refusal)));

    VLConsoleBar bar;
    SetProgressBarLookup([&bar] { return &bar; });
    VLConsoleHost host(checked, bar);
    // A stale table checksum does not stop a font, but the admin hears of it.
    VLFontInstaller installer(platform, GetFontCodec(),
                              [&bar](const std::string& destPath, const std::string& warning) {
                                  bar.Clear();
                                  std::cerr << "vellfont: warning: " << ShiftJisForConsole(destPath) << ": "
                                            << warning << " (installed all the same)" << std::endl;
                              });
    const VLInstallSummary summary =
        RunInstallJob(host, installer, platform.files, package, fontDataDir, destDir);
    bar.Clear();
    SetProgressBarLookup(nullptr);
    if (summary.failedCount > 0) throw CLI::RuntimeError(kExitSomeFailed);
}

}  // namespace

void AddInstallCommands(CLI::App& app) {
    static InstallOptions options;
    auto* install = app.add_subcommand(
        "install",
        "Install the fonts of a package as the wizard does (exit 0: all installed, 1: some not, 2: none "
        "started)");
    install->add_option("FONTDATA", options.fontDataDir, "The FONTDATA folder (otf.inf and the .cmp files)")
        ->required();
    install->add_option("--dest", options.destDir,
                        "Destination folder (default on Windows: the system font folder, with registration)");
    install->add_option("--font", options.fonts, "Base name of a font to install (repeatable; default: all)");
    install->add_option("--package", options.package, "Package index in otf.inf (default 0)");
    install->callback([] { Install(options); });
}
