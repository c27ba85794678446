// install: the wizard's installation, unattended and repeatable, for deploying
// a package to many machines. Fonts already in place count as done, an older
// version is replaced with --upgrade, a newer or foreign one never. Exit 0:
// done; 1: some fonts failed or were left; 2: nothing started (unusable
// package or destination, a refused check); 3010: done except what waits for
// a restart.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <memory>
#include <vector>

#include "install/font_codec.h"
#include "install/font_life_job.h"
#include "install/install_checks.h"
#include "install/install_texts.h"
#include "install/progress.h"
#include "install/text_format.h"
#include "platform/console_output.h"
#include "platform/install_platform.h"
#include "platform/installation_lock.h"
#include "tools/vellfont/commands.h"
#include "tools/vellfont/console.h"
#include "tools/vellfont/font_index_check.h"
#include "tools/vellfont/life_output.h"
#include "tools/vellfont/life_setup.h"

namespace {

// A one-line bar on stderr, drawn only when stderr is a terminal.
class VLConsoleBar : public IVLProgressBar {
public:
    explicit VLConsoleBar(bool wanted) : m_bVisible(wanted && IsTerminal(stderr)) {}

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

const char* FailureDetail(const VLFontEntry& entry) {
    switch (entry.unavailable) {
        case VLUnavailableReason::kUnsafeName:
            return kTextUnsafeFileName;
        case VLUnavailableReason::kUnknownFontType:
            return kTextUnknownFontType;
        case VLUnavailableReason::kUndecodable:
        case VLUnavailableReason::kNone:
            break;
    }
    switch (entry.failure) {
        case VLFontOutcome::kNameTaken:
            return kTextNameTaken;
        case VLFontOutcome::kNotRegistered:
            return kTextNotRegistered;
        case VLFontOutcome::kUnknownFontType:
            return kTextUnknownFontType;
        case VLFontOutcome::kInstalled:
        case VLFontOutcome::kFailed:
            break;
    }
    return nullptr;
}

// The wizard's log lines on stdout, one announcement and one result per font,
// with a line of its own for what the wizard never does.
class VLConsoleLog : public IVLLifeObserver {
public:
    VLConsoleLog(const VLPackageInfo& package, VLConsoleBar& bar) : m_package(package), m_bar(bar) {}

    void FontStarting(const VLFontEntry& entry) override {
        Line(ReplacePlaceholder(kTextInstallingFont, "%s", m_package.FormatFontLabel(entry.index, false)));
    }
    void FontDone(const VLFontEntry& entry) override {
        const bool written = entry.outcome == VLLifeOutcome::kInstalled ||
                             entry.outcome == VLLifeOutcome::kUpgraded ||
                             entry.outcome == VLLifeOutcome::kUpgradeAtRestart;
        // A stale table checksum does not stop a font, but the admin hears of it.
        if (written && !entry.warning.empty()) {
            m_bar.Clear();
            std::cerr << "vellfont: warning: " << ForConsole(entry.destPath) << ": " << entry.warning
                      << " (installed all the same)" << std::endl;
        }
        switch (entry.outcome) {
            case VLLifeOutcome::kInstalled:
                Line(kTextSucceeded);
                break;
            case VLLifeOutcome::kAlreadyInstalled:
                Line("[already installed]");
                break;
            case VLLifeOutcome::kRegistered:
                Line("[registered again]");
                break;
            case VLLifeOutcome::kUpgraded:
                Line("[upgraded]");
                break;
            case VLLifeOutcome::kUpgradeAtRestart:
                Line("[restart needed: the new version replaces the file in use at the next restart]");
                break;
            case VLLifeOutcome::kLeftAlone:
                Line("[left alone: " + entry.message + "]");
                break;
            case VLLifeOutcome::kFailed:
            case VLLifeOutcome::kNothingToDo:
            case VLLifeOutcome::kRemoved:
            case VLLifeOutcome::kRemoveAtRestart:
                if (const char* why = FailureDetail(entry)) Line(why);
                Line(kTextFailed);
                break;
        }
    }
    // The closing line, and the count of fonts not done when there are any.
    void Close(const VLLifeResult& result) {
        int notDone = 0;
        for (const VLFontEntry& entry : result.fonts) {
            if (entry.outcome == VLLifeOutcome::kFailed || entry.outcome == VLLifeOutcome::kLeftAlone)
                ++notDone;
        }
        Line(std::string());
        Line(kTextAllInstalled);
        if (notDone > 0) Line(ReplacePlaceholder(kTextFontsFailed, "%d", std::to_string(notDone)));
        if (result.restartNeeded) Line("restart needed");
    }

private:
    void Line(const std::string& text) {
        m_bar.Clear();
        std::cout << ForConsole(text) << std::endl;
    }

    const VLPackageInfo& m_package;
    VLConsoleBar& m_bar;
};

void Install(const VLLifeOptions& options) {
    VLInstallPlatform& platform = GetSystemInstallPlatform();
    const VLLifeSetup setup = PrepareLife(options, platform);
    const VLLifeRequest& request = setup.request;

    const std::unique_ptr<VLInstallationLock> lock = LockInstallationOrFail();
    if (request.chosen.empty())
        Fail(kLifeExitNotStarted, ForConsole(StartRefusalText(VLStartRefusal::kNoFontChosen)));
    if (NeedsAdministrator(platform.system, request.destination.folder))
        Fail(kLifeExitNotStarted, ForConsole(StartRefusalText(VLStartRefusal::kNeedsAdministrator)));

    const VLFontCodec codec = GetFontCodec();
    VLLifeResult result = CheckFontStates(platform, codec, request, false);
    // An older version stays unless the admin asks for the upgrade.
    if (!request.upgrade && HasOlderFont(result))
        Fail(kLifeExitNotStarted, ForConsole(StartRefusalText(VLStartRefusal::kFontAlreadyPresent)) +
                                      " (an older version is installed; --upgrade replaces it)");

    VLConsoleBar bar(!options.json);
    SetProgressBarLookup([&bar] { return &bar; });
    VLConsoleLog log(*request.package, bar);
    InstallFonts(platform, codec, request, result, options.json ? nullptr : &log);
    bar.Clear();
    SetProgressBarLookup(nullptr);
    // A scope's font folder is one programs find through the font index.
    if (IVLFontCache* cache = GetSystemFontCache(); cache != nullptr && setup.scope)
        CheckInstalledFontsListed(*cache, platform.files, request.destination.folder, result, std::cerr);
    if (options.json) {
        std::cout << LifeJson(setup, result) << std::endl;
    } else {
        log.Close(result);
    }
    const int code = LifeExitCode(result);
    if (code != kLifeExitDone) throw CLI::RuntimeError(code);
}

}  // namespace

void AddInstallCommands(CLI::App& app) {
    static VLLifeOptions options;
    options.makeFolders = true;
    auto* install = app.add_subcommand(
        "install",
        "Install the fonts of a package as the wizard does, again when already installed (exit 0: done, 1: "
        "some failed or left, 2: none started, 3010: restart needed)");
    AddLifeOptions(*install, options);
    install->add_flag("--upgrade", options.upgrade, "Replace an older version of a font with the package's");
    install->callback([] { Install(options); });
}
