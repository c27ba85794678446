#pragma once

#include <functional>

#include "codec/byte_buffer.h"
#include "install/font_destination.h"
#include "install/font_status.h"
#include "platform/install_platform.h"

// Placing the package's font at the destination. Each sets entry.outcome (and
// entry.failure and entry.message when it fails) and returns whether the
// font was registered or unloaded, so that the job tells running programs.

// Takes every load of the file out of the running session: the system keeps
// a loaded font's file open.
void UnloadSessionFont(IVLFontRegistry& registry, const std::string& fileName);

// A missing font: written under a temporary name in the folder, renamed to its
// name only when complete (never over a file), then registered where the
// destination registers fonts; a refused registration takes the file away again.
// whileFlushing runs once the payload is written, while it goes to the disk.
bool PlaceNewFont(VLInstallPlatform& platform, const VLFontDestination& destination, VLFontEntry& entry,
                  const VLReusableBuffer& payload, const std::function<void()>& whileFlushing = nullptr);

// An identical file whose value is missing: its value is set and the session told.
bool RegisterAgain(VLInstallPlatform& platform, const VLFontDestination& destination, VLFontEntry& entry);

// An older file: the session lets go of it, the new font is written under a
// temporary name in the folder and moved over the old one. When the old file
// is still held, the move is left to the next restart (outcome
// kUpgradeAtRestart): the old file stays in use and registered until then.
// The old file is never touched before the new one is complete.
bool ReplaceFont(VLInstallPlatform& platform, const VLFontDestination& destination, VLFontEntry& entry,
                 const VLReusableBuffer& payload);

// The name the new file waits under until a restart moves it into place; not
// a temporary name, so that no later run sweeps it away.
std::string PendingPathOf(const VLFontDestination& destination, const VLFontEntry& entry);
