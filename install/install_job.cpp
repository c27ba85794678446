#include "install/install_job.h"

#include "install/font_naming.h"
#include "install/install_texts.h"
#include "install/progress.h"
#include "install/text_format.h"

namespace {

std::string TextOf(IVLInstallHost& host, VLJobText id) {
    const std::string text = host.LoadText(id);
    if (!text.empty()) return text;
    return id == VLJobText::kAllInstalled ? kTextAllInstalled : kTextFontsFailed;
}

// The line that says why a font failed, when there is more to say than the
// result line; null otherwise.
const char* FailureDetail(VLFontOutcome outcome) {
    switch (outcome) {
        case VLFontOutcome::kUnknownFontType:
            return kTextUnknownFontType;
        case VLFontOutcome::kNameTaken:
            return kTextNameTaken;
        case VLFontOutcome::kNotRegistered:
            return kTextNotRegistered;
        case VLFontOutcome::kInstalled:
        case VLFontOutcome::kFailed:
            break;
    }
    return nullptr;
}

// Tells the installer which font comes after index, when one is checked and
// safely named, so that it may decode it ahead.
void AnnounceNextFont(IVLFontInstaller& installer, IVLInstallHost& host, const VLPackageInfo& package,
                      const std::string& fontDataDir, const std::string& destDir, int32_t index) {
    for (int32_t next = index + 1; next < static_cast<int32_t>(package.m_fonts.size()); ++next) {
        if (!host.IsFontChecked(next)) continue;
        const VLFontInfo& font = package.m_fonts[static_cast<size_t>(next)];
        const std::string sourcePath = SourcePathOf(fontDataDir, font.m_baseName);
        if (NamesAreSafe(font.m_baseName, sourcePath, destDir + "\\" + package.GetOutputFileName(next))) {
            installer.SetNextFont(&font, sourcePath);
            return;
        }
        break;
    }
    installer.SetNextFont(nullptr, std::string());
}

void InstallCheckedFonts(IVLInstallHost& host, IVLFontInstaller& installer, IVLFileSystem& files,
                         const VLPackageInfo& package, const std::string& fontDataDir,
                         const std::string& destDir, VLInstallSummary& summary) {
    // What an installation killed before its end left behind goes first.
    files.RemoveStaleTempFiles(destDir);
    // The count is read on every pass, as the package could only grow.
    for (int32_t index = 0; index < static_cast<int32_t>(package.m_fonts.size()); ++index) {
        if (!host.IsFontChecked(index)) continue;
        ++summary.checkedCount;
        const VLFontInfo& font = package.m_fonts[static_cast<size_t>(index)];
        const std::string sourcePath = SourcePathOf(fontDataDir, font.m_baseName);
        const std::string destPath = destDir + "\\" + package.GetOutputFileName(index);

        host.AppendLog(ReplacePlaceholder(kTextInstallingFont, "%s", package.FormatFontLabel(index, false)));
        // The name comes from the package: one that is not a plain file name
        // could reach outside both folders, so nothing is touched for it.
        if (!NamesAreSafe(font.m_baseName, sourcePath, destPath)) {
            host.AppendLog(kTextUnsafeFileName);
            host.AppendLog(kTextFailed);
            ++summary.failedCount;
            continue;
        }
        if (files.Exists(destPath)) {
            host.AppendLog(kTextAlreadyPresent);
            ++summary.failedCount;
            continue;
        }
        AnnounceNextFont(installer, host, package, fontDataDir, destDir, index);
        const VLFontOutcome outcome =
            installer.InstallOneFont(destPath, font, sourcePath, package.m_fontType);
        if (outcome == VLFontOutcome::kInstalled) {
            host.AppendLog(kTextSucceeded);
            continue;
        }
        if (const char* why = FailureDetail(outcome)) host.AppendLog(why);
        host.AppendLog(kTextFailed);
        ++summary.failedCount;
    }
}

}  // namespace

VLInstallSummary RunInstallJob(IVLInstallHost& host, IVLFontInstaller& installer, IVLFileSystem& files,
                               const VLPackageInfo& package, const std::string& fontDataDir,
                               const std::string& destDir) {
    VLInstallSummary summary;
    try {
        InstallCheckedFonts(host, installer, files, package, fontDataDir, destDir, summary);
        installer.FinishJob();
        ResetProgress();

        const std::string allInstalled = TextOf(host, VLJobText::kAllInstalled);
        host.AppendLog(kTextLineFeed);
        host.AppendLog(allInstalled);
        host.ShowMessage(summary.failedCount == 0
                             ? allInstalled
                             : ReplacePlaceholder(TextOf(host, VLJobText::kFontsFailed), "%d",
                                                  std::to_string(summary.failedCount)));
    } catch (...) {
        // Nothing here throws by contract (an allocation could); the host
        // must hear of the end all the same.
    }
    host.JobFinished();
    return summary;
}
