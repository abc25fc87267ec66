#include "ops/analysis/kernels/statistics.h"

#include <cmath>
#include <new>
#include <stdexcept>

void StartSpectrumSet(SpectrumSet& Set, std::size_t Channels) {
    Set.Channels = Channels;
    Set.Values.clear();
    StartNedlSums(Set.Sums, Channels);
}

void AddToSpectrumSet(SpectrumSet& Set, std::span<const double> Spectrum) {
    if (Spectrum.size() != Set.Channels) {
        throw std::invalid_argument("a spectrum of another channel count");
    }
    if (Set.Values.size() > Set.Values.max_size() - Spectrum.size()) {
        throw std::bad_alloc();
    }
    // Growing is the only step that can fail, and it comes first: a set that
    // cannot take the spectrum keeps its sums as they were.
    Set.Values.insert(Set.Values.end(), Spectrum.begin(), Spectrum.end());
    AddNedlSpectrum(Set.Sums, Spectrum);
}

void ReleaseSpectrumSet(SpectrumSet& Set) {
    std::vector<double>().swap(Set.Values);
    Set.Sums = NedlSums{};
    Set.Channels = 0;
}

std::vector<double> SpectrumSetMean(const SpectrumSet& Set) {
    std::vector<double> mean(Set.Channels, 0.0);
    if (Set.Count() == 0) {
        return mean;
    }
    const double count = Set.Count();
    for (std::size_t i = 0; i < mean.size(); ++i) {
        mean[i] = Set.Sums.Sum[i] / count;
    }
    return mean;
}

std::vector<double> SpectrumSetStandardDeviation(const SpectrumSet& Set) {
    return NedlStandardDeviation(Set.Sums);
}

bool SpectrumSetMedian(const SpectrumSet& Set, std::vector<double>& Median, SelectFunction Select) {
    Median.assign(Set.Channels, 0.0);
    const auto count = static_cast<uint32_t>(Set.Count());
    if (count == 0) {
        return true;
    }
    std::vector<double> column(count);
    for (std::size_t i = 0; i < Set.Channels; ++i) {
        bool holdsNaN = false;
        for (uint32_t f = 0; f < count; ++f) {
            column[f] = Set.Values[f * Set.Channels + i];
            holdsNaN = holdsNaN || std::isnan(column[f]);
        }
        double value;
        if (count % 2 == 0) {
            value = (Select(count / 2, count, column.data()) +
                     Select(count / 2 + 1, count, column.data())) /
                    2;
        } else {
            value = Select((count + 1) / 2, count, column.data());
        }
        // A channel that holds no NaN has a median; NaN then is the
        // selection's own failure.
        if (std::isnan(value) && !holdsNaN) {
            return false;
        }
        Median[i] = value;
    }
    return true;
}
