// Whether the wavelength axis of a spectrum can go into a text file. The text
// exports reckon their x values as the first wavelength plus the step summed
// in Single arithmetic; a value that is not finite would be written as a word
// ("1.#INF", "1.#QNAN") that no reader takes back as a wavelength.
#pragma once

#include <cmath>
#include <cstddef>

// True when the first wavelength, the step, every position of count channels
// (from the first wavelength and from 0) and the last one reckoned by
// multiplication are all finite.
inline bool WavelengthAxisFinite(float first, float step, std::size_t count) {
    if (!std::isfinite(first) || !std::isfinite(step)) {
        return false;
    }
    float sum = 0;
    for (std::size_t k = 0; k < count; ++k) {
        if (!std::isfinite(sum) || !std::isfinite(first + sum)) {
            return false;
        }
        sum += step;
    }
    return count == 0 || std::isfinite(static_cast<float>(count - 1) * step + first);
}
