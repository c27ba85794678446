#pragma once

#include <cstdint>
#include <functional>
#include <vector>

// The bar that shows the progress of the font being installed (range 0 to 100).
// Both calls are synchronous requests to a control owned by the UI thread.
class IVLProgressBar {
public:
    virtual ~IVLProgressBar() = default;
    virtual int32_t GetPos() = 0;
    // The control clamps the position to its range.
    virtual void SetPos(int32_t position) = 0;
};

// The bar's 100 units over one font: reading the .cmp file, decoding it,
// descrambling and checking it, writing the font file.
constexpr double kProgressReading = 30.0;
constexpr double kProgressDecoding = 20.0;
constexpr double kProgressChecking = 20.0;
constexpr double kProgressWriting = 30.0;

// How the bar is found: asked on first need and kept for the rest of the process
// once it answers with a bar. Until then (no wizard yet) the bar calls do nothing.
void SetProgressBarLookup(std::function<IVLProgressBar*()> lookup);

// Adds fractional progress; whole units move the bar and the fraction is kept,
// also from one font to the next.
void AddProgress(double amount);
// Moves the bar by n units from its current position.
void AdvanceProgress(int32_t n);
// Puts the bar back to 0.
void ResetProgress();

// One call of the three above, kept for later.
struct VLProgressMove {
    enum class Kind { kAdd, kAdvance, kReset };
    Kind kind;
    double amount;  // what was added, or the units advanced
};

// While one lives, the three calls above are kept instead of made: work done
// ahead of its turn (the next font decoded while this one's file is flushed)
// shows its progress when its turn comes, in order and with the same
// fractions. One at a time.
class VLProgressRecording {
public:
    VLProgressRecording();
    ~VLProgressRecording();
    VLProgressRecording(const VLProgressRecording&) = delete;
    VLProgressRecording& operator=(const VLProgressRecording&) = delete;

    // The calls kept so far; the recording goes on empty.
    std::vector<VLProgressMove> Take();

private:
    std::vector<VLProgressMove> m_moves;
};

// Makes the kept calls now.
void ReplayProgress(const std::vector<VLProgressMove>& moves);

// The fraction not yet shown on the bar (below 1.0 between calls).
double GetProgressFraction();
// Forgets the bar and the fraction; for tests, which each start from nothing.
void ResetProgressStateForTesting();
