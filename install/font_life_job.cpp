#include "install/font_life_job.h"

#include "install/decode_ahead.h"
#include "install/font_removal.h"
#include "install/font_replacement.h"
#include "install/progress.h"

namespace {

void LeaveAlone(VLFontEntry& entry, const char* why) {
    entry.outcome = VLLifeOutcome::kLeftAlone;
    if (entry.message.empty()) entry.message = why;
}

// Decodes the package's font for writing; a font that cannot be had fails.
bool Decode(VLInstallPlatform& platform, const VLFontCodec& codec, VLFontEntry& entry,
            VLReusableBuffer& payload) {
    std::string problem;
    if (DecodePackageFont(platform, codec, entry, payload, problem, &entry.warning)) {
        entry.packageVersion = ReadFontVersion(payload.Data(), payload.Size() - 1);
        entry.hasPackageVersion = true;
        return true;
    }
    entry.outcome = VLLifeOutcome::kFailed;
    entry.failure = VLFontOutcome::kFailed;
    entry.message = problem;
    return false;
}

// The next font, decoded while this one's file goes to the disk.
struct VLNextFont {
    VLFontEntry* entry = nullptr;  // none: nothing to decode ahead
    VLDecodeAhead ahead;

    void DecodeAhead(VLInstallPlatform& platform, const VLFontCodec& codec, VLReusableBuffer& payload) {
        if (!entry) return;
        VLFontEntry& next = *entry;
        ahead.Run(next.sourcePath, next.font->m_fileNumber,
                  [&] { return Decode(platform, codec, next, payload); });
    }

    // The font's decoding: done ahead (its bar moves made now), or done now.
    bool DecodeInTurn(VLInstallPlatform& platform, const VLFontCodec& codec, VLFontEntry& font,
                      VLReusableBuffer& payload) {
        bool succeeded = false;
        if (ahead.Take(font.sourcePath, font.font->m_fileNumber, succeeded)) return succeeded;
        return Decode(platform, codec, font, payload);
    }
};

bool NeedsDecoding(const VLFontEntry& entry, const VLLifeRequest& request) {
    return entry.state == VLFontState::kMissing || (entry.state == VLFontState::kOlder && request.upgrade);
}

// Returns whether the system's font table changed.
bool InstallOne(VLInstallPlatform& platform, const VLFontCodec& codec, const VLLifeRequest& request,
                VLFontEntry& entry, VLNextFont& ahead) {
    const VLFontDestination& destination = request.destination;
    VLReusableBuffer own;
    VLReusableBuffer& payload = FontBufferOf(codec, own);
    // Only the kept buffer outlives this font for the next one.
    if (&payload == &own) ahead.entry = nullptr;
    switch (entry.state) {
        case VLFontState::kInstalled:
            entry.outcome = VLLifeOutcome::kAlreadyInstalled;
            entry.message = "already installed";
            return false;
        case VLFontState::kUnregistered:
            return RegisterAgain(platform, request.destination, entry);
        case VLFontState::kMissing:
            return ahead.DecodeInTurn(platform, codec, entry, payload) &&
                   PlaceNewFont(platform, destination, entry, payload,
                                [&] { ahead.DecodeAhead(platform, codec, payload); });
        case VLFontState::kOlder:
            if (!request.upgrade) {
                LeaveAlone(entry, "an older version is installed; --upgrade replaces it");
                return false;
            }
            return ahead.DecodeInTurn(platform, codec, entry, payload) &&
                   ReplaceFont(platform, destination, entry, payload);
        case VLFontState::kNewer:
            LeaveAlone(entry, "a newer version is installed");
            return false;
        case VLFontState::kDifferent:
            LeaveAlone(entry, "another font file of that name is installed");
            return false;
        case VLFontState::kUnavailable:
            entry.outcome = VLLifeOutcome::kFailed;
            return false;
    }
    return false;
}

bool WaitsForRestart(VLLifeOutcome outcome) {
    return outcome == VLLifeOutcome::kUpgradeAtRestart || outcome == VLLifeOutcome::kRemoveAtRestart;
}

}  // namespace

VLLifeResult CheckFontStates(VLInstallPlatform& platform, const VLFontCodec& codec,
                             const VLLifeRequest& request, bool decodeMissing) {
    VLLifeResult result;
    for (const int32_t index : request.chosen) {
        VLFontEntry entry =
            MakeFontEntry(platform, *request.package, index, request.fontDataDir, request.destination);
        ClassifyFont(platform, codec, request.destination, entry, decodeMissing);
        result.fonts.push_back(std::move(entry));
    }
    ResetProgress();
    return result;
}

bool HasOlderFont(const VLLifeResult& result) {
    for (const VLFontEntry& entry : result.fonts) {
        if (entry.state == VLFontState::kOlder) return true;
    }
    return false;
}

void InstallFonts(VLInstallPlatform& platform, const VLFontCodec& codec, const VLLifeRequest& request,
                  VLLifeResult& result, IVLLifeObserver* observer) {
    // What an installation killed before its end left behind goes first.
    platform.files.RemoveStaleTempFiles(request.destination.folder);
    bool changed = false;
    VLNextFont ahead;
    for (size_t i = 0; i < result.fonts.size(); ++i) {
        VLFontEntry& entry = result.fonts[i];
        const bool nextDecoded = i + 1 < result.fonts.size() && NeedsDecoding(result.fonts[i + 1], request);
        ahead.entry = nextDecoded ? &result.fonts[i + 1] : nullptr;
        if (observer) observer->FontStarting(entry);
        ResetProgress();
        try {
            changed = InstallOne(platform, codec, request, entry, ahead) || changed;
        } catch (...) {
            entry.outcome = VLLifeOutcome::kFailed;
        }
        ResetProgress();
        result.restartNeeded = result.restartNeeded || WaitsForRestart(entry.outcome);
        if (observer) observer->FontDone(entry);
    }
    if (changed) platform.registry.BroadcastFontChange();
}

void UninstallFonts(VLInstallPlatform& platform, const VLLifeRequest& request, VLLifeResult& result,
                    IVLLifeObserver* observer) {
    platform.files.RemoveStaleTempFiles(request.destination.folder);
    bool changed = false;
    for (VLFontEntry& entry : result.fonts) {
        if (observer) observer->FontStarting(entry);
        if (entry.state == VLFontState::kMissing) {
            entry.outcome = VLLifeOutcome::kNothingToDo;
        } else if (entry.state == VLFontState::kUnavailable) {
            entry.outcome = VLLifeOutcome::kFailed;
        } else if (MayRemoveFont(entry, request.anyVersion)) {
            changed = RemoveFont(platform, request.destination, entry) || changed;
        } else {
            LeaveAlone(entry, request.anyVersion ? "the file at the destination is another font"
                                                 : "the file at the destination is not the package's font; "
                                                   "--any-version removes other versions of its family");
        }
        result.restartNeeded = result.restartNeeded || WaitsForRestart(entry.outcome);
        if (observer) observer->FontDone(entry);
    }
    if (changed) platform.registry.BroadcastFontChange();
}

int LifeExitCode(const VLLifeResult& result) {
    for (const VLFontEntry& entry : result.fonts) {
        if (entry.outcome == VLLifeOutcome::kFailed || entry.outcome == VLLifeOutcome::kLeftAlone)
            return kLifeExitSomeLeft;
    }
    return result.restartNeeded ? kLifeExitRestartNeeded : kLifeExitDone;
}

int StatusExitCode(const VLLifeResult& result) {
    for (const VLFontEntry& entry : result.fonts) {
        if (entry.state != VLFontState::kInstalled) return kLifeExitSomeLeft;
    }
    return kLifeExitDone;
}
