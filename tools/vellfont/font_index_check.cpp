#include "tools/vellfont/font_index_check.h"

#include <vector>

namespace {

// Whether the verb leaves the package's font in place.
bool InPlace(VLLifeOutcome outcome) {
    switch (outcome) {
        case VLLifeOutcome::kInstalled:
        case VLLifeOutcome::kAlreadyInstalled:
        case VLLifeOutcome::kRegistered:
        case VLLifeOutcome::kUpgraded:
            return true;
        default:
            return false;
    }
}

}  // namespace

void RefreshFontIndex(IVLFontCache& cache, IVLFileSystem& files, const std::string& folder,
                      std::ostream& log) {
    // A scope's folder that was never made has nothing to index.
    if (!files.Exists(folder)) return;
    const std::string native = files.ToNativePath(folder);
    if (!cache.Refresh(native))
        log << "vellfont: warning: fontconfig's cache for " << native << " could not be rewritten"
            << std::endl;
}

void CheckInstalledFontsListed(IVLFontCache& cache, IVLFileSystem& files, const std::string& folder,
                               VLLifeResult& result, std::ostream& log) {
    RefreshFontIndex(cache, files, folder, log);
    std::vector<std::string> paths;
    std::vector<VLFontEntry*> placed;
    for (VLFontEntry& entry : result.fonts) {
        if (!InPlace(entry.outcome)) continue;
        paths.push_back(files.ToNativePath(entry.destPath));
        placed.push_back(&entry);
    }
    if (paths.empty()) return;
    const std::vector<bool> listed = cache.ListsFaces(paths);
    bool removed = false;
    for (size_t i = 0; i < placed.size(); ++i) {
        if (i < listed.size() && listed[i]) continue;
        VLFontEntry& entry = *placed[i];
        // Programs would not see it: installed only in name. A file this run
        // wrote goes again, as a font the system refuses does on Windows.
        const bool written = entry.outcome == VLLifeOutcome::kInstalled;
        if (written) removed = files.RemoveFile(entry.destPath) || removed;
        entry.outcome = VLLifeOutcome::kFailed;
        entry.message = written ? "fontconfig does not list the installed font; it was removed again"
                                : "fontconfig does not list the font";
        log << "vellfont: " << paths[i] << ": " << entry.message << std::endl;
    }
    if (removed) RefreshFontIndex(cache, files, folder, log);
}
