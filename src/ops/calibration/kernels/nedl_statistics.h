// The statistics behind the noise-equivalent delta radiance: per-channel sums
// of repeated spectra, their sample standard deviation, and the scaling the
// deviation gets before it is calibrated like a raw spectrum.
#pragma once

#include <cstddef>
#include <span>
#include <vector>

struct NedlSums {
    std::vector<double> Sum;
    std::vector<double> SumSq;
    int Count = 0;  // spectra added
};

// Empties the sums and makes them Channels long.
void StartNedlSums(NedlSums& Sums, std::size_t Channels);

// Adds one spectrum. It must be exactly as long as the sums: callers refuse a
// spectrum of another channel count before they get here.
void AddNedlSpectrum(NedlSums& Sums, std::span<const double> Values);

// The sample standard deviation of every channel. A channel whose squared mean
// times the count is not below its sum of squares (a constant channel, where
// rounding can make the difference slightly negative) gives 0, and so does
// every channel when fewer than two spectra were added.
std::vector<double> NedlStandardDeviation(const NedlSums& Sums);

// Each deviation made a Single, then divided by 10000 in Single arithmetic:
// what the temporary deviation file holds and the calibration takes as DN.
std::vector<double> ScaleNedlDeviation(std::span<const double> Deviation);
