// Mean, median and sample standard deviation, channel by channel, over a set
// of spectra of one channel count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "ops/calibration/kernels/nedl_statistics.h"
#include "zelutil/binding.h"

// ZelUtil::vbSelect, or a stand-in with its contract: the K-th smallest (K
// from 1) of the first N values, which it leaves unchanged; NaN when it
// cannot give one.
using SelectFunction = double (*)(uint32_t K, uint32_t N, const double* Values);

struct SpectrumSet {
    std::size_t Channels = 0;
    // Every spectrum added, in the order added: spectrum f's channel i is
    // Values[f * Channels + i]. The median needs them all.
    std::vector<double> Values;
    // Running sums and sums of squares, the same NEDL keeps, so that the mean
    // and the deviation need no second pass over Values.
    NedlSums Sums;

    int Count() const { return Sums.Count; }
};

// Empties the set for spectra of Channels values.
void StartSpectrumSet(SpectrumSet& Set, std::size_t Channels);

// Adds one spectrum of exactly Channels values (std::invalid_argument
// otherwise). Throws std::bad_alloc when the set cannot grow by it; the set is
// then as it was.
void AddToSpectrumSet(SpectrumSet& Set, std::span<const double> Spectrum);

// Gives the memory of the values and sums back.
void ReleaseSpectrumSet(SpectrumSet& Set);

// Sum / count per channel; zeros for an empty set.
std::vector<double> SpectrumSetMean(const SpectrumSet& Set);

// The sample deviation (divisor count - 1); a channel where rounding leaves
// the squared mean times the count at or above the sum of squares gives 0.
std::vector<double> SpectrumSetStandardDeviation(const SpectrumSet& Set);

// The middle value of every channel, or the mean of the two middle ones for an
// even count, by selection on a copy of the channel's values. False when the
// selection failed (NaN for a channel whose values hold no NaN); Median is
// then incomplete. Throws what Select throws (ZelUtil::Unavailable when the
// library is missing).
bool SpectrumSetMedian(const SpectrumSet& Set, std::vector<double>& Median,
                       SelectFunction Select = &ZelUtil::vbSelect);
