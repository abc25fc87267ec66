#include "ops/analysis/kernels/lambda_bands.h"

#include <algorithm>
#include <cmath>

float LastWavelength(float first, float step, int count) {
    return first + static_cast<float>(count - 1) * step;
}

BandResult IntegrateBand(std::span<const double> values, int channelCount, float first, float step,
                         double start, double end, bool average) {
    BandResult result;
    const int count = std::max(0, std::min(channelCount, static_cast<int>(values.size())));
    if (!(start > 0) || static_cast<float>(start) < first) {
        result.Outcome = BandOutcome::StartBelowData;
        result.Wavelength = first;
        return result;
    }
    const float last = LastWavelength(first, step, count);
    if (!(step > 0) || !std::isfinite(step) || count < 2 || !(static_cast<float>(end) <= last)) {
        result.Outcome = BandOutcome::EndAboveData;
        result.Wavelength = last;
        return result;
    }
    // Wavelengths by repeated addition, as the channels were always located;
    // the bounds on k keep a grid that drifts from first + k * step inside the
    // data.
    const double width = step;
    double x = first;
    int k = 0;
    do {
        x += width;
        ++k;
    } while (x < start && k < count - 1);

    if (x + width <= end && k + 1 < count) {
        double sum = 0.5 * values[k];
        int intervals = 1;
        ++k;
        x += width;
        while (x + width <= end && k + 1 < count) {
            sum += values[k];
            ++k;
            ++intervals;
            x += width;
        }
        sum += 0.5 * values[k];
        result.Value = average ? sum / intervals : width * sum;
        return result;
    }
    const double next = k + 1 < count ? values[k + 1] : values[k];
    result.Value = (end - start) / width * 0.5 * (values[k] + next);
    return result;
}
