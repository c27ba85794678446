#include "install/progress.h"

#include <cmath>

namespace {

// Process-wide, used from the install worker thread only.
struct ProgressState {
    double fraction = 0.0;
    IVLProgressBar* bar = nullptr;
    std::function<IVLProgressBar*()> lookup;
    std::vector<VLProgressMove>* recording = nullptr;
};

ProgressState& State() {
    static ProgressState state;
    return state;
}

IVLProgressBar* Bar() {
    ProgressState& state = State();
    if (!state.bar && state.lookup) state.bar = state.lookup();
    return state.bar;
}

}  // namespace

void SetProgressBarLookup(std::function<IVLProgressBar*()> lookup) {
    State().lookup = std::move(lookup);
    State().bar = nullptr;
}

void AddProgress(double amount) {
    ProgressState& state = State();
    if (state.recording) {
        state.recording->push_back({VLProgressMove::Kind::kAdd, amount});
        return;
    }
    // Rounded to a double before it is truncated: x87 arithmetic (the 32-bit
    // build) would keep 0.9999999999999991 + 20.0 just below 21 in extended precision.
    const volatile double roundedTotal = state.fraction + amount;
    const double total = roundedTotal;
    if (total >= 1.0) {
        const double whole = std::floor(total);
        AdvanceProgress(static_cast<int32_t>(total));
        state.fraction = total - whole;
    } else {
        state.fraction = total;
    }
}

void AdvanceProgress(int32_t n) {
    if (std::vector<VLProgressMove>* recording = State().recording) {
        recording->push_back({VLProgressMove::Kind::kAdvance, static_cast<double>(n)});
        return;
    }
    if (IVLProgressBar* bar = Bar()) bar->SetPos(bar->GetPos() + n);
}

void ResetProgress() {
    if (std::vector<VLProgressMove>* recording = State().recording) {
        recording->push_back({VLProgressMove::Kind::kReset, 0.0});
        return;
    }
    if (IVLProgressBar* bar = Bar()) bar->SetPos(0);
}

VLProgressRecording::VLProgressRecording() { State().recording = &m_moves; }

VLProgressRecording::~VLProgressRecording() { State().recording = nullptr; }

std::vector<VLProgressMove> VLProgressRecording::Take() {
    std::vector<VLProgressMove> taken;
    taken.swap(m_moves);
    return taken;
}

void ReplayProgress(const std::vector<VLProgressMove>& moves) {
    for (const VLProgressMove& move : moves) {
        switch (move.kind) {
            case VLProgressMove::Kind::kAdd:
                AddProgress(move.amount);
                break;
            case VLProgressMove::Kind::kAdvance:
                AdvanceProgress(static_cast<int32_t>(move.amount));
                break;
            case VLProgressMove::Kind::kReset:
                ResetProgress();
                break;
        }
    }
}

double GetProgressFraction() { return State().fraction; }

void ResetProgressStateForTesting() { State() = ProgressState(); }
