#pragma once

#include <cstdint>
#include <string>

#include "catalogue/package_info.h"
#include "install/font_installer.h"
#include "platform/file_system.h"

// Wizard button flags of the final request (PSWIZB_NEXT: only Next enabled).
constexpr uint32_t kWizardButtonNext = 2;

// What the install job needs of the program that runs it: the wizard's pages
// and sheet, or the command line. Texts are Shift-JIS bytes.
class IVLInstallHost {
public:
    virtual ~IVLInstallHost() = default;
    // Check state 1 of entry index of the selection list; false for no entry.
    virtual bool IsFontChecked(int32_t index) = 0;
    // One log line; the host adds the line end (CR LF on the progress page).
    virtual void AppendLog(const std::string& text) = 0;
    // A message box with OK only; returns when it has been closed.
    virtual void ShowMessage(const std::string& text) = 0;
    // Posts the wizard-button request (never sent: it must not wait).
    virtual void PostWizardButtons(uint32_t flags) = 0;
    virtual void EnableCancel() = 0;
    // m_bInstalling = 0; the job calls this before ClearConfirmQuitFlag.
    virtual void ClearInstallingFlag() = 0;
    // m_bConfirmQuit = 0.
    virtual void ClearConfirmQuitFlag() = 0;
    // A string-table text by id; empty when the host has none, and the job
    // then uses its own copy (install_texts.h).
    virtual std::string LoadText(uint32_t id) = 0;
};

// What the job did, for callers that report it (the command line's exit code).
struct VLInstallSummary {
    int32_t checkedCount = 0;
    // Checked fonts not installed: already present, or their install failed.
    int32_t failedCount = 0;
};

// The whole installation: every checked font of the package in order, one
// announcement and one result line each, the closing line, the summary box,
// then the wizard's buttons and the two flags. fontDataDir is the FONTDATA
// folder (a trailing backslash is optional); destDir has none. The progress bar
// is reached through install/progress.h. Should anything throw on the way, the
// wizard's buttons and the flags are still restored.
VLInstallSummary RunInstallJob(IVLInstallHost& host, IVLFontInstaller& installer, IVLFileSystem& files,
                               const VLPackageInfo& package, const std::string& fontDataDir,
                               const std::string& destDir);
