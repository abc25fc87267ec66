// A computed Double stored as a Single without the undefined behaviour of a
// cast beyond the Single range: such a value becomes an infinity, which the
// number texts write in their own form for it.
#pragma once

#include <cmath>
#include <limits>

inline float ToSingle(double value) {
    constexpr double largest = std::numeric_limits<float>::max();
    // Half a unit above the largest Single still rounds down to it.
    constexpr double roundsToLargest = 3.4028235677973366e38;
    if (std::isfinite(value) && std::fabs(value) > largest) {
        const double bounded =
            std::fabs(value) < roundsToLargest ? largest : std::numeric_limits<double>::infinity();
        return static_cast<float>(std::copysign(bounded, value));
    }
    return static_cast<float>(value);
}
