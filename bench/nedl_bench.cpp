// The NEDL statistics over a typical set of repeated full-size spectra: the
// sums of every file, then the deviation and its scaling.

#include <benchmark/benchmark.h>

#include <vector>

#include "ops/calibration/kernels/nedl_statistics.h"

namespace {

constexpr int Channels = 2151;

std::vector<std::vector<double>> RepeatedSpectra(int files) {
    std::vector<std::vector<double>> spectra(files, std::vector<double>(Channels));
    for (int f = 0; f < files; ++f) {
        for (int i = 0; i < Channels; ++i) {
            spectra[f][i] = 1000.0 + i + ((f * 7 + i * 3) % 11);
        }
    }
    return spectra;
}

void NedlStatistics(benchmark::State& state) {
    const auto spectra = RepeatedSpectra(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        NedlSums sums;
        StartNedlSums(sums, Channels);
        for (const auto& spectrum : spectra) {
            AddNedlSpectrum(sums, spectrum);
        }
        std::vector<double> scaled = ScaleNedlDeviation(NedlStandardDeviation(sums));
        benchmark::DoNotOptimize(scaled.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * Channels);
}
BENCHMARK(NedlStatistics)->Arg(30)->Arg(100);

}  // namespace
