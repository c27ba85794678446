#pragma once

#include <cstdint>
#include <vector>

#include "catalogue/package_info.h"
#include "install/font_codec.h"
#include "install/font_destination.h"
#include "install/font_status.h"
#include "platform/install_platform.h"

// The command line's status, install and uninstall over the chosen fonts of
// one package at one destination. Unlike the wizard's job, an install may run
// again: what is in place already counts as done.

// Exit codes, the same for every verb.
constexpr int kLifeExitDone = 0;
constexpr int kLifeExitSomeLeft = 1;  // some fonts failed or were left (status: not all installed)
constexpr int kLifeExitNotStarted = 2;
constexpr int kLifeExitRestartNeeded = 3010;  // done, except what waits for the next restart

struct VLLifeRequest {
    const VLPackageInfo* package = nullptr;
    std::vector<int32_t> chosen;  // font indexes, in package order
    std::string fontDataDir;
    VLFontDestination destination;
    bool upgrade = false;     // install replaces older versions
    bool anyVersion = false;  // uninstall also takes other versions of the same family
};

struct VLLifeResult {
    std::vector<VLFontEntry> fonts;
    bool restartNeeded = false;
};

// Told of each font as a verb acts on it.
class IVLLifeObserver {
public:
    virtual ~IVLLifeObserver() = default;
    virtual void FontStarting(const VLFontEntry& entry) = 0;
    virtual void FontDone(const VLFontEntry& entry) = 0;
};

// The state of every chosen font. decodeMissing also decodes the package's
// fonts that have no file yet (status tells an undecodable font from a
// missing one; install and uninstall need not).
VLLifeResult CheckFontStates(VLInstallPlatform& platform, const VLFontCodec& codec,
                             const VLLifeRequest& request, bool decodeMissing);

// Whether a chosen font is installed in an older version: install refuses to
// start then, unless it upgrades.
bool HasOlderFont(const VLLifeResult& result);

// Acts on each font by the state CheckFontStates found; one font-change notice
// at the end when the system's font table changed.
void InstallFonts(VLInstallPlatform& platform, const VLFontCodec& codec, const VLLifeRequest& request,
                  VLLifeResult& result, IVLLifeObserver* observer = nullptr);
void UninstallFonts(VLInstallPlatform& platform, const VLLifeRequest& request, VLLifeResult& result,
                    IVLLifeObserver* observer = nullptr);

// The exit code of a verb that ran: 1 when a font failed or was left, else
// 3010 when something waits for a restart, else 0.
int LifeExitCode(const VLLifeResult& result);
// Status: 0 when every chosen font is installed, else 1.
int StatusExitCode(const VLLifeResult& result);
