#pragma once

#include <string>

// How fonts placed in a destination become known to the system.
enum class VLFontRegistrationKind {
    kNone,     // only the file (a folder of the user's choosing)
    kMachine,  // the system font folder: a value under the machine's Fonts key names the file
};

// Where the command line's install, status and uninstall work.
struct VLFontDestination {
    // Shift-JIS, backslashes, no trailing separator.
    std::string folder;
    VLFontRegistrationKind registration = VLFontRegistrationKind::kNone;
};
