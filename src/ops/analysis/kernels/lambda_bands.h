// One spectrum reduced to one number over a wavelength band: the trapezoid
// integral of its values over the band, or their trapezoid average.
#pragma once

#include <span>

enum class BandOutcome {
    Value,           // Value holds the integral or average
    StartBelowData,  // the band starts at or below 0, or below the first wavelength
    EndAboveData,    // the band ends beyond the last wavelength
};

struct BandResult {
    BandOutcome Outcome = BandOutcome::Value;
    double Value = 0;
    // The data's edge the band passes: its first wavelength (StartBelowData)
    // or its last (EndAboveData).
    float Wavelength = 0;
};

// The wavelength of channel count - 1, in Single arithmetic as the header
// holds its grid.
float LastWavelength(float first, float step, int count);

// The band start .. end (nm) over values on the grid first, first + step, ...
// The data holds min(channelCount, values.size()) channels.
//
// The start sample is the first channel at or above start, but never channel
// 0; the last sample the last channel at or below end. Over at least one full
// step the samples are summed with half weight at both ends: the integral is
// step times that sum, the average the sum divided by the number of intervals.
// A band that ends within one step of its start sample gives
// (end - start) / step times the mean of that sample and the next one (the
// sample alone when it is the last channel), in both modes.
//
// A grid that does not rise (step not above 0) or holds fewer than two
// channels has no band inside it (EndAboveData).
BandResult IntegrateBand(std::span<const double> values, int channelCount, float first, float step,
                         double start, double end, bool average);
