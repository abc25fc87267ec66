// The derivative kernels on a full-size spectrum (2151 channels, 350 to
// 2500 nm), as the graph window runs them on every redraw and the derivative
// batches once per file.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "ops/analysis/kernels/transforms.h"

namespace {

std::vector<double> FullSizeReflectance() {
    std::vector<double> values(2151);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = 0.4 + 0.3 * std::sin(static_cast<double>(i) / 150.0);
    }
    return values;
}

void FirstDerivative(benchmark::State& state) {
    const auto reflectance = FullSizeReflectance();
    const auto gap = static_cast<int16_t>(state.range(0));
    std::vector<double> first;
    for (auto _ : state) {
        GapDifference(reflectance, gap, first);
        benchmark::DoNotOptimize(first.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(reflectance.size()));
}
BENCHMARK(FirstDerivative)->Arg(5)->Arg(65);

void SecondDerivativeOfLog1R(benchmark::State& state) {
    const auto reflectance = FullSizeReflectance();
    std::vector<double> log1r, first, second;
    for (auto _ : state) {
        Log1R(reflectance, log1r);
        GapDifference(log1r, 7, first);
        GapDifference(first, 7, second);
        benchmark::DoNotOptimize(second.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(reflectance.size()));
}
BENCHMARK(SecondDerivativeOfLog1R);

}  // namespace
