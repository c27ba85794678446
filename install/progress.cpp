#include "install/progress.h"

#include <cmath>

namespace {

// Process-wide, used from the install worker thread only.
struct ProgressState {
    double fraction = 0.0;
    IVLProgressBar* bar = nullptr;
    std::function<IVLProgressBar*()> lookup;
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
    if (IVLProgressBar* bar = Bar()) bar->SetPos(bar->GetPos() + n);
}

void ResetProgress() {
    if (IVLProgressBar* bar = Bar()) bar->SetPos(0);
}

double GetProgressFraction() { return State().fraction; }

void ResetProgressStateForTesting() { State() = ProgressState(); }
