// Interpolating a whole spectrum onto a new grid and taking a per-channel median
// over a set of spectra: the two ways the program leans on the library.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "zelutil/zelutil.h"

namespace {

// 2151 channels at 1 nm onto a 0.5 nm grid, in ascending order as an output
// grid is produced; the remembered window keeps each search short.
void InterpolateGrid(benchmark::State& state) {
    std::vector<double> xa(2151), ya(2151);
    for (std::size_t i = 0; i < xa.size(); ++i) {
        xa[i] = 350.0 + static_cast<double>(i);
        ya[i] = std::sin(static_cast<double>(i) * 0.01);
    }
    for (auto _ : state) {
        double sum = 0;
        for (double x = 350; x <= 2500; x += 0.5) {
            double y = 0;
            InterpolateValue(&y, xa.data(), ya.data(), 2151, x);
            sum += y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 4301);
}
BENCHMARK(InterpolateGrid);

// The same points in a scattered order, where every search starts far off.
void InterpolateScattered(benchmark::State& state) {
    std::vector<double> xa(2151), ya(2151);
    for (std::size_t i = 0; i < xa.size(); ++i) {
        xa[i] = 350.0 + static_cast<double>(i);
        ya[i] = std::sin(static_cast<double>(i) * 0.01);
    }
    for (auto _ : state) {
        double sum = 0;
        for (int k = 0; k < 4301; ++k) {
            const double x = 350 + static_cast<double>((k * 1237) % 4301) * 0.5;
            double y = 0;
            InterpolateValue(&y, xa.data(), ya.data(), 2151, x);
            sum += y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * 4301);
}
BENCHMARK(InterpolateScattered);

// Median of N files at one channel, as statistics does for every channel.
void MedianOfFiles(benchmark::State& state) {
    const auto n = static_cast<uint32_t>(state.range(0));
    std::vector<double> values(n);
    for (uint32_t i = 0; i < n; ++i) {
        values[i] = std::fmod(i * 7919.0, 1000.0);
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(vbSelect((n + 1) / 2, n, values.data()));
    }
}
BENCHMARK(MedianOfFiles)->Arg(30)->Arg(300)->Arg(3000);

}  // namespace
