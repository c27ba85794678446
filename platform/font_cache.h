#pragma once

#include <string>
#include <vector>

// The system's font index (fontconfig natively): what programs see of the
// font files in a folder. Paths are native (UTF-8, slashes).
class IVLFontCache {
public:
    virtual ~IVLFontCache() = default;
    // Rescans the folder into the index's cache, and its parent (which lists
    // the folder); false when the cache could not be rebuilt.
    virtual bool Refresh(const std::string& folder) = 0;
    // For each file, whether the index as a program starting now loads it
    // lists a face from that file.
    virtual std::vector<bool> ListsFaces(const std::vector<std::string>& files) = 0;
};

// The native font index; null where the tool has none (Windows).
IVLFontCache* GetSystemFontCache();
