#include "ops/analysis/kernels/truncation_window.h"

#include <cfenv>
#include <cmath>

namespace {

// Half to even, in Doubles: the counts here may be far outside any integer
// type when a step is tiny, and must then refuse the cut rather than wrap.
double RoundHalfEven(double value) {
    const int mode = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double rounded = std::nearbyint(value);
    std::fesetround(mode);
    return rounded;
}

}  // namespace

std::optional<TruncationWindow> ComputeTruncationWindow(int available, double fileStart,
                                                        double fileEnd, double newStart,
                                                        double newEnd, double step) {
    if (!(step > 0) || !std::isfinite(step) || available < 1) {
        return std::nullopt;
    }
    const double trimmed = RoundHalfEven((newStart - fileStart) + (fileEnd - newEnd));
    const double t = RoundHalfEven(trimmed / step);
    double first = RoundHalfEven((newStart - fileStart) / step);
    if (!std::isfinite(t) || !std::isfinite(first)) {
        return std::nullopt;
    }
    if (first < 0) {
        first = 0;
    }
    double count = available - t;
    if (first >= available) {
        return std::nullopt;
    }
    if (count > available - first) {
        count = available - first;
    }
    if (count < 1) {
        return std::nullopt;
    }
    return TruncationWindow{static_cast<int>(first), static_cast<int>(count)};
}
