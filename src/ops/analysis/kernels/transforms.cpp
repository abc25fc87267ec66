#include "ops/analysis/kernels/transforms.h"

#include <cmath>
#include <cstddef>

double Log1RKeepingMarker(double reflectance) {
    if (reflectance == MissingValueMarker) {
        return MissingValueMarker;
    }
    // Not a number counts as no reflectance, as in the Log 1/R files.
    if (!(reflectance > 0)) {
        return 10.0;
    }
    return std::log(1.0 / reflectance) / std::log(10.0);
}

void Log1R(const std::vector<double>& reflectance, std::vector<double>& target) {
    target.resize(reflectance.size());
    for (std::size_t i = 0; i < reflectance.size(); ++i) {
        target[i] = Log1RKeepingMarker(reflectance[i]);
    }
}

int16_t UsableDerivativeGap(int16_t gap) {
    return gap < 3 ? int16_t{7} : gap;
}

int GapHalfWidth(int16_t gap) {
    return UsableDerivativeGap(gap) / 2;
}

void GapDifference(const std::vector<double>& source, int16_t gap, std::vector<double>& target) {
    const int16_t g = UsableDerivativeGap(gap);
    const auto h = static_cast<std::size_t>(g / 2);
    const auto d = static_cast<double>(g - 1);
    target.assign(source.size(), 0.0);
    if (source.size() < 2 * h + 1) {
        return;
    }
    const std::size_t last = source.size() - 1 - h;
    for (std::size_t i = h; i <= last; ++i) {
        target[i] = (source[i + h] - source[i - h]) / d;
    }
}
