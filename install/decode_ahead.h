#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "install/progress.h"

// A font decoded ahead of its turn, into the kept buffer, while the previous
// font's file goes to the disk: the two overlap where a thread waits for the
// disk. Its result and its bar moves wait for its turn, so that the log and
// the bar are those of one font after another. A font is known by what its
// decoding depends on: its .cmp file and its number.
class VLDecodeAhead {
public:
    // Runs decode now, keeping its bar moves; decode's result is the font's.
    void Run(const std::string& sourcePath, int32_t number, const std::function<bool()>& decode);
    // Whether that font was the one decoded ahead: then its bar moves are
    // made now and its result goes to succeeded. Anything else decoded ahead
    // is forgotten either way (the buffer has moved on).
    bool Take(const std::string& sourcePath, int32_t number, bool& succeeded);

private:
    bool m_held = false;
    std::string m_sourcePath;
    int32_t m_number = 0;
    bool m_succeeded = false;
    std::vector<VLProgressMove> m_progress;
};
