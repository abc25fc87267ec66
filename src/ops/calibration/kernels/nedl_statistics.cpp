#include "ops/calibration/kernels/nedl_statistics.h"

#include <cmath>
#include <stdexcept>

void StartNedlSums(NedlSums& Sums, std::size_t Channels) {
    Sums.Sum.assign(Channels, 0.0);
    Sums.SumSq.assign(Channels, 0.0);
    Sums.Count = 0;
}

void AddNedlSpectrum(NedlSums& Sums, std::span<const double> Values) {
    if (Values.size() != Sums.Sum.size()) {
        throw std::invalid_argument("a spectrum of another channel count");
    }
    double* sum = Sums.Sum.data();
    double* sumSq = Sums.SumSq.data();
    for (std::size_t j = 0; j < Values.size(); ++j) {
        const double x = Values[j];
        sum[j] += x;
        sumSq[j] += x * x;
    }
    ++Sums.Count;
}

std::vector<double> NedlStandardDeviation(const NedlSums& Sums) {
    std::vector<double> sd(Sums.Sum.size(), 0.0);
    if (Sums.Count < 2) {
        return sd;
    }
    const double n = Sums.Count;
    for (std::size_t j = 0; j < sd.size(); ++j) {
        const double mean = Sums.Sum[j] / n;
        const double t = mean * mean * n;
        if (t < Sums.SumSq[j]) {
            sd[j] = std::sqrt((Sums.SumSq[j] - t) / (n - 1));
        }
    }
    return sd;
}

std::vector<double> ScaleNedlDeviation(std::span<const double> Deviation) {
    std::vector<double> scaled(Deviation.size());
    for (std::size_t j = 0; j < Deviation.size(); ++j) {
        scaled[j] = static_cast<float>(Deviation[j]) / 10000.0f;
    }
    return scaled;
}
