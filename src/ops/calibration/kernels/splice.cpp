#include "ops/calibration/kernels/splice.h"

#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>
#include <stdexcept>

#include "spectrum/records.h"

namespace {

// A wavelength as the 16-bit whole number the segment starts are kept in.
std::optional<int32_t> SegmentStart(float wavelength) {
    const double rounded = std::nearbyint(wavelength);
    if (!(rounded >= std::numeric_limits<int16_t>::min() &&
          rounded <= std::numeric_limits<int16_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

int64_t Channel(int32_t wavelength, float first) {
    return static_cast<int64_t>(
        std::nearbyint(static_cast<float>(static_cast<float>(wavelength) - first)));
}

double WindowMean(std::span<const double> values, int64_t from, int64_t to, int32_t gap) {
    const auto count = static_cast<int64_t>(values.size());
    double sum = 0;
    for (int64_t i = from < 0 ? 0 : from; i <= to && i < count; ++i) {
        sum += values[static_cast<std::size_t>(i)];
    }
    return sum / gap;
}

void Scale(std::span<double> values, int64_t from, int64_t to, double factor) {
    const auto count = static_cast<int64_t>(values.size());
    for (int64_t i = from < 0 ? 0 : from; i <= to && i < count; ++i) {
        values[static_cast<std::size_t>(i)] *= factor;
    }
}

}  // namespace

bool IsSpliceInstrument(uint8_t InstrumentType) {
    return InstrumentType == VnirSwir4 || InstrumentType == VnirSwir7;
}

SpliceCorrection SpliceCorrectSpectrum(std::span<double> Values, float Channel1Wavelength,
                                       float Splice1Wavelength, float Splice2Wavelength,
                                       int32_t Gap) {
    if (Gap < 1) {
        throw std::invalid_argument("SpliceCorrectSpectrum: the gap must be at least 1");
    }
    SpliceCorrection result;
    const auto s0 = SegmentStart(Channel1Wavelength);
    const auto s1 = SegmentStart(static_cast<float>(Splice1Wavelength + 1.0f));
    const auto s2 = SegmentStart(static_cast<float>(Splice2Wavelength + 1.0f));
    // A start that is no 16-bit wavelength is no splice of any instrument.
    if (!s0 || !s1) {
        result.Outcome = SpliceOutcome::FirstSpliceOutside;
        return result;
    }
    if (!s2) {
        result.Outcome = SpliceOutcome::SecondSpliceOutside;
        return result;
    }
    result.S0 = *s0;
    result.S1 = *s1;
    result.S2 = *s2;
    // Interpolated and truncated spectra keep the splices of their source, so
    // a join may lie past either end: its windows then add nothing, and
    // WindowMean and Scale keep to the channels there are.
    const auto last = static_cast<int64_t>(Values.size()) - 1;
    const float first = Channel1Wavelength;
    const std::span<const double> read = Values;
    auto below = [&](int32_t s) {
        return WindowMean(read, Channel(s - Gap, first), Channel(s - 1, first), Gap);
    };
    auto above = [&](int32_t s) {
        return WindowMean(read, Channel(s, first), Channel(s + Gap - 1, first), Gap);
    };
    result.B1 = below(result.S1);
    result.A1 = above(result.S1);
    result.B2 = below(result.S2);
    result.A2 = above(result.S2);
    if (result.B1 == 0) {
        result.Outcome = SpliceOutcome::NoSignalBeforeFirstSplice;
        return result;
    }
    // No SWIR1 signal above the first join: scaling by A1 / B1 = 0 would wipe
    // the VNIR segment, so it stays as it is, like SWIR2 when A2 is 0.
    if (result.A1 != 0) {
        Scale(Values, Channel(result.S0, first), Channel(result.S1 - 1, first),
              result.A1 / result.B1);
        result.VnirScaled = true;
    }
    if (result.A2 != 0) {
        Scale(Values, Channel(result.S2, first), last, result.B2 / result.A2);
        result.Swir2Scaled = true;
    }
    return result;
}
