// Interpolating a whole spectrum onto a new grid and taking a per-channel median
// over a set of spectra: the two ways the program leans on the library.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "zelutil/zelutil.h"

namespace {

constexpr int GridPoints = 4301;  // 350 .. 2500 nm at 0.5 nm

// Interpolates a 2151-channel spectrum (1 nm) at the grid points, in the order
// the k-th point is given by pointAt(k).
template <typename PointAt>
void InterpolateOntoGrid(benchmark::State& state, PointAt pointAt) {
    std::vector<double> xa(2151), ya(2151);
    for (std::size_t i = 0; i < xa.size(); ++i) {
        xa[i] = 350.0 + static_cast<double>(i);
        ya[i] = std::sin(static_cast<double>(i) * 0.01);
    }
    for (auto _ : state) {
        double sum = 0;
        for (int k = 0; k < GridPoints; ++k) {
            double y = 0;
            InterpolateValue(&y, xa.data(), ya.data(), 2151, 350 + 0.5 * pointAt(k));
            sum += y;
        }
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * GridPoints);
}

// In ascending order, as an output grid is produced; the remembered window
// keeps each search short.
void InterpolateGrid(benchmark::State& state) {
    InterpolateOntoGrid(state, [](int k) { return k; });
}
BENCHMARK(InterpolateGrid);

// The same points in a scattered order, where every search starts far off.
void InterpolateScattered(benchmark::State& state) {
    InterpolateOntoGrid(state, [](int k) { return (k * 1237) % GridPoints; });
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
