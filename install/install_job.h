#pragma once

#include <cstdint>
#include <string>

#include "catalogue/package_info.h"
#include "install/font_installer.h"
#include "platform/file_system.h"

// The job's texts that a host may hold in its own form (the wizard's string table).
enum class VLJobText {
    kAllInstalled,  // "すべてのインストールが完了しました。"
    kFontsFailed,  // "%d書体のインストールができませんでした。ログをご確認ください。"
};

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
    // The job is over (its summary answered): called exactly once, last,
    // also when something threw on the way.
    virtual void JobFinished() = 0;
    // The host's own form of one of the job's texts; empty when it has none,
    // and the job then uses its own copy (install_texts.h).
    virtual std::string LoadText(VLJobText text) = 0;
};

// What the job did, for callers that report it (the command line's exit code).
struct VLInstallSummary {
    int32_t checkedCount = 0;
    // Checked fonts not installed: already present, or their install failed.
    int32_t failedCount = 0;
};

// The whole installation: every checked font of the package in order, one
// announcement and one result line each (a failure with more to say has a
// line of its own before its result), the closing line, the summary box, then
// JobFinished. fontDataDir is the FONTDATA
// folder (a trailing backslash is optional); destDir has none. The progress bar
// is reached through install/progress.h. Should anything throw on the way,
// JobFinished is still called.
VLInstallSummary RunInstallJob(IVLInstallHost& host, IVLFontInstaller& installer, IVLFileSystem& files,
                               const VLPackageInfo& package, const std::string& fontDataDir,
                               const std::string& destDir);
