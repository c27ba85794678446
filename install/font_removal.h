#pragma once

#include "install/font_destination.h"
#include "install/font_status.h"
#include "platform/install_platform.h"

// Whether uninstall may take the file away: the package's own font (installed
// or unregistered), or with anyVersion another version of the same family
// (the name table's family of both, compared exactly).
bool MayRemoveFont(const VLFontEntry& entry, bool anyVersion);

// Removes one font: the session lets go of it, every value under the Fonts key
// that names its file is deleted, then the file. A file still held is deleted
// at the next restart (outcome kRemoveAtRestart). When the file can be neither
// deleted nor scheduled, its value is put back. Sets entry.outcome; returns
// whether the system's font table changed.
bool RemoveFont(VLInstallPlatform& platform, const VLFontDestination& destination, VLFontEntry& entry);
