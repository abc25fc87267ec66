#include "ops/calibration/kernels/parabolic.h"

#include <cmath>
#include <limits>
#include <optional>
#include <stdexcept>

namespace {

// Halves to the even neighbour, as every wavelength-to-channel conversion of
// the program rounds; nullopt when the result is no 32-bit index.
std::optional<int32_t> RoundIndex(double value) {
    const double rounded = std::nearbyint(value);
    if (!(rounded >= std::numeric_limits<int32_t>::min() &&
          rounded <= std::numeric_limits<int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int32_t>(rounded);
}

std::optional<int32_t> TruncateIndex(double value) {
    const double truncated = std::trunc(value);
    if (!(truncated >= std::numeric_limits<int32_t>::min() &&
          truncated <= std::numeric_limits<int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<int32_t>(truncated);
}

bool WindowInside(std::size_t channels, int64_t first, int64_t last) {
    return first >= 0 && last >= first && last < static_cast<int64_t>(channels);
}

// The channel before the join: the splice's offset from the first wavelength,
// a Single difference truncated toward zero.
std::optional<int32_t> JoinChannel(float first, float splice) {
    return TruncateIndex(static_cast<float>(splice - first));
}

// Counts the multiplied channels of a walk that starts at wavelength start and
// goes on while keepGoing(next wavelength); at most limit + 1 steps are counted,
// which is already more than the spectrum holds.
template <typename KeepGoing>
int32_t CountSteps(double start, bool firstAlways, std::size_t limit, KeepGoing keepGoing) {
    int32_t steps = 0;
    double w = start;
    if (firstAlways) {
        ++steps;
        w += 1;
    }
    while (keepGoing(w) && static_cast<std::size_t>(steps) <= limit) {
        ++steps;
        w += 1;
    }
    return steps;
}

bool PlanInside(std::size_t channels, const ParabolicBend& plan) {
    if (plan.Steps == 0) {
        return true;
    }
    return WindowInside(channels, plan.First, int64_t{plan.First} + plan.Steps - 1) &&
           WindowInside(channels, plan.BeforeIndex, plan.BeforeIndex) &&
           WindowInside(channels, plan.Readout, plan.Readout);
}

BendResult Apply(std::span<double> values, const ParabolicBend& plan, bool zeroAsOne) {
    BendResult result;
    if (!plan.Inside) {
        return result;
    }
    const std::span<const double> read = values;
    double k = 0;
    if (plan.Vnir) {
        const double joinValue = values[static_cast<std::size_t>(plan.Join)];
        double divisor = joinValue;
        if (divisor == 0) {
            if (!zeroAsOne) {
                result.Outcome = BendOutcome::ZeroAtJoin;
                return result;
            }
            divisor = 1.0;
        }
        const double target = MeanOfRange(read, plan.Join + 1, 3);
        const double span = plan.Splice - plan.Vertex;
        k = (target - joinValue) / (span * span * divisor);
    } else {
        const double swir2Side = MeanOfRange(read, plan.Join + 1, 3);
        const double swir1Side = MeanOfRange(read, plan.Join - 2, 3);
        double divisor = swir2Side;
        if (!zeroAsOne && (values[static_cast<std::size_t>(plan.Join)] == 0 || divisor == 0)) {
            result.Outcome = BendOutcome::ZeroAtJoin;
            return result;
        }
        if (divisor == 0) {
            divisor = 1.0;
        }
        const double span = plan.Splice - plan.Vertex;
        k = (swir1Side - swir2Side) / (span * span * divisor);
    }
    result.Before = values[static_cast<std::size_t>(plan.BeforeIndex)];
    // One channel per step from the rounded start: rounding every step's
    // offset half to even would hit some channels twice and skip others when
    // the start lies half-way between two channels.
    for (int32_t t = 0; t < plan.Steps; ++t) {
        const double offset = plan.FirstWavelength + t - plan.Vertex;
        values[static_cast<std::size_t>(plan.First + t)] *= 1 + k * offset * offset;
    }
    result.After = values[static_cast<std::size_t>(plan.Readout)];
    result.Outcome = BendOutcome::Bent;
    return result;
}

}  // namespace

int32_t GetDetectorSet(int32_t StartNm, int32_t EndNm) {
    if (StartNm <= 350) {
        if (EndNm <= 1050) {
            return DetVnir;
        }
        if (EndNm >= 1800 && EndNm <= 1830) {
            return DetVnir | DetSwir1;
        }
        return EndNm == 2500 ? DetVnir | DetSwir1 | DetSwir2 : 0;
    }
    if (StartNm == 1000) {
        if (EndNm >= 1800 && EndNm <= 1830) {
            return DetSwir1;
        }
        return EndNm == 2500 ? DetSwir1 | DetSwir2 : 0;
    }
    // Any other start is taken as the full instrument, or as a SWIR2-only
    // spectrum from 1800 nm on; the end is not looked at.
    return StartNm < 1800 ? DetVnir | DetSwir1 | DetSwir2 : DetSwir2;
}

double MeanOfRange(std::span<const double> Values, int32_t Start, int32_t Count) {
    if (Count < 1 || !WindowInside(Values.size(), Start, int64_t{Start} + Count - 1)) {
        throw std::out_of_range("MeanOfRange: the window lies outside the values");
    }
    double sum = 0;
    for (int32_t i = 0; i < Count; ++i) {
        sum += Values[static_cast<std::size_t>(Start + i)];
    }
    return sum / Count;
}

bool VnirJoinInside(std::size_t Channels, float Channel1Wavelength, float Splice1Wavelength) {
    const auto j = JoinChannel(Channel1Wavelength, Splice1Wavelength);
    return j && WindowInside(Channels, *j, int64_t{*j} + 3);
}

bool Swir2JoinInside(std::size_t Channels, float Channel1Wavelength, float Splice2Wavelength) {
    const auto j2 = JoinChannel(Channel1Wavelength, Splice2Wavelength);
    return j2 && WindowInside(Channels, int64_t{*j2} - 2, int64_t{*j2} + 3);
}

ParabolicBend PlanVnirBend(std::size_t Channels, float Channel1Wavelength, float Splice1Wavelength,
                           double Vertex) {
    ParabolicBend plan;
    plan.Vnir = true;
    plan.Vertex = Vertex;
    plan.Splice = Splice1Wavelength;
    plan.FirstWavelength = Vertex;
    const auto j = JoinChannel(Channel1Wavelength, Splice1Wavelength);
    const auto first = RoundIndex(Vertex - Channel1Wavelength);
    const auto before = RoundIndex(static_cast<float>(Splice1Wavelength - Channel1Wavelength));
    if (!j || !first || !before ||
        !VnirJoinInside(Channels, Channel1Wavelength, Splice1Wavelength)) {
        return plan;
    }
    plan.Join = *j;
    plan.First = *first;
    plan.BeforeIndex = *before;
    // The walk's wavelength is compared as a Single, as it always has been.
    plan.Steps = CountSteps(Vertex, false, Channels,
                            [&](double w) { return static_cast<float>(w) <= Splice1Wavelength; });
    plan.Readout = plan.Steps > 0 ? plan.First + plan.Steps - 1 : plan.BeforeIndex;
    plan.Inside = PlanInside(Channels, plan);
    return plan;
}

ParabolicBend PlanSwir2Bend(std::size_t Channels, float Channel1Wavelength, float Splice2Wavelength,
                            double Vertex) {
    ParabolicBend plan;
    plan.Vnir = false;
    plan.Vertex = Vertex;
    plan.Splice = Splice2Wavelength;
    plan.FirstWavelength = static_cast<float>(Splice2Wavelength + 1.0f);
    const auto j2 = JoinChannel(Channel1Wavelength, Splice2Wavelength);
    const auto first =
        RoundIndex(static_cast<float>(Splice2Wavelength - Channel1Wavelength + 1.0f));
    if (!j2 || !first || !Swir2JoinInside(Channels, Channel1Wavelength, Splice2Wavelength)) {
        return plan;
    }
    plan.Join = *j2;
    plan.First = *first;
    plan.BeforeIndex = *first;
    plan.Readout = *first;
    plan.Steps =
        CountSteps(plan.FirstWavelength, true, Channels, [&](double w) { return w <= Vertex; });
    plan.Inside = PlanInside(Channels, plan);
    return plan;
}

BendResult ApplyParabolicBend(std::span<double> Values, const ParabolicBend& Plan) {
    return Apply(Values, Plan, false);
}

double ParabolicReadout(const BendResult& Result) {
    if (Result.Before == 0) {
        return 0;
    }
    return (Result.After - Result.Before) / (Result.Before * 100);
}

int32_t ParabolicCorrectSpectrum(std::span<double> Values, const SpectrumHeader& Header) {
    const auto first = RoundIndex(Header.Channel1Wavelength);
    const auto last =
        RoundIndex(static_cast<float>(Header.ChannelCount + Header.Channel1Wavelength - 1));
    const auto splice1 = RoundIndex(Header.Splice1Wavelength);
    const auto splice2 = RoundIndex(Header.Splice2Wavelength);
    auto fitsInteger = [](const std::optional<int32_t>& v) {
        return v && *v >= std::numeric_limits<int16_t>::min() &&
               *v <= std::numeric_limits<int16_t>::max();
    };
    if (!first || !last) {
        return -1;
    }
    const int32_t set = GetDetectorSet(*first, *last);
    const bool vnirJoin = (set & DetVnir) && (set & DetSwir1);
    const bool swir2Join = (set & DetSwir1) && (set & DetSwir2);
    if ((!vnirJoin && !swir2Join) || (vnirJoin && !fitsInteger(splice1)) ||
        (swir2Join && !fitsInteger(splice2))) {
        return -1;
    }
    const auto f = static_cast<float>(*first);
    // A join at or before its vertex leaves nothing between them to bend.
    const bool bendVnir = vnirJoin && *splice1 > FixedVnirVertex;
    const bool bendSwir2 = swir2Join && *splice2 + 1 <= FixedSwir2Vertex;
    ParabolicBend vnir;
    ParabolicBend swir2;
    if (bendVnir) {
        vnir = PlanVnirBend(Values.size(), f, static_cast<float>(*splice1), FixedVnirVertex);
        if (!vnir.Inside) {
            return -1;
        }
    }
    if (bendSwir2) {
        swir2 = PlanSwir2Bend(Values.size(), f, static_cast<float>(*splice2), FixedSwir2Vertex);
        if (!swir2.Inside) {
            return -1;
        }
    }
    if (bendVnir) {
        Apply(Values, vnir, true);
    }
    if (bendSwir2) {
        Apply(Values, swir2, true);
    }
    if (set != (DetVnir | DetSwir1 | DetSwir2)) {
        return -1;
    }
    return static_cast<int32_t>(Values.size()) - 1;
}
