// The statistics of a typical set of full-size spectra: 30 files of 2151
// channels gathered, then their mean, standard deviation and median (the
// median by ZelUtil's selection, one channel at a time).

#include <benchmark/benchmark.h>

#include <vector>

#include "ops/analysis/kernels/statistics.h"

namespace {

constexpr int Channels = 2151;
constexpr int Files = 30;

std::vector<std::vector<double>> Spectra() {
    std::vector<std::vector<double>> spectra(Files, std::vector<double>(Channels));
    for (int f = 0; f < Files; ++f) {
        for (int i = 0; i < Channels; ++i) {
            spectra[f][i] = 0.3 + 0.001 * i + 0.01 * ((f * 13 + i * 7) % 17);
        }
    }
    return spectra;
}

void GatherSpectra(benchmark::State& state) {
    const auto spectra = Spectra();
    for (auto _ : state) {
        SpectrumSet set;
        StartSpectrumSet(set, Channels);
        for (const auto& spectrum : spectra) {
            AddToSpectrumSet(set, spectrum);
        }
        benchmark::DoNotOptimize(set.Values.data());
    }
}
BENCHMARK(GatherSpectra);

void MeanAndDeviation(benchmark::State& state) {
    SpectrumSet set;
    StartSpectrumSet(set, Channels);
    for (const auto& spectrum : Spectra()) {
        AddToSpectrumSet(set, spectrum);
    }
    for (auto _ : state) {
        auto mean = SpectrumSetMean(set);
        auto deviation = SpectrumSetStandardDeviation(set);
        benchmark::DoNotOptimize(mean.data());
        benchmark::DoNotOptimize(deviation.data());
    }
}
BENCHMARK(MeanAndDeviation);

void Median(benchmark::State& state) {
    SpectrumSet set;
    StartSpectrumSet(set, Channels);
    for (const auto& spectrum : Spectra()) {
        AddToSpectrumSet(set, spectrum);
    }
    std::vector<double> median;
    for (auto _ : state) {
        if (!SpectrumSetMedian(set, median)) {
            state.SkipWithError("the selection failed");
            break;
        }
        benchmark::DoNotOptimize(median.data());
    }
}
BENCHMARK(Median);

}  // namespace
