// The two join corrections on a full-size spectrum of a three-detector
// instrument: what a splice-correction or parabolic-correction batch pays per
// file, and what a parabolic-corrected radiometric display pays per redraw.

#include <benchmark/benchmark.h>

#include <vector>

#include "ops/calibration/kernels/parabolic.h"
#include "ops/calibration/kernels/splice.h"

namespace {

constexpr int Channels = 2151;

struct Spectrum {
    SpectrumHeader header;
    std::vector<double> values;

    Spectrum() : values(Channels) {
        header.ChannelCount = Channels;
        header.Channel1Wavelength = 350;
        header.WavelengthStep = 1;
        header.InstrumentType = VnirSwir4;
        header.Splice1Wavelength = 1000;
        header.Splice2Wavelength = 1830;
        for (int i = 0; i < Channels; ++i) {
            const double level = i <= 650 ? 0.5 : i <= 1480 ? 0.6 : 0.4;
            values[i] = level + (i % 11) * 1e-4;
        }
    }
};

void ParabolicFixedVertices(benchmark::State& state) {
    const Spectrum s;
    std::vector<double> work;
    for (auto _ : state) {
        work = s.values;
        benchmark::DoNotOptimize(ParabolicCorrectSpectrum(work, s.header));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Channels);
}
BENCHMARK(ParabolicFixedVertices);

void ParabolicEnteredVertices(benchmark::State& state) {
    const Spectrum s;
    const ParabolicBend vnir = PlanVnirBend(Channels, 350, 1000, 675);
    const ParabolicBend swir2 = PlanSwir2Bend(Channels, 350, 1830, 1975);
    std::vector<double> work;
    for (auto _ : state) {
        work = s.values;
        benchmark::DoNotOptimize(ApplyParabolicBend(work, vnir));
        benchmark::DoNotOptimize(ApplyParabolicBend(work, swir2));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Channels);
}
BENCHMARK(ParabolicEnteredVertices);

void SpliceCorrection(benchmark::State& state) {
    const Spectrum s;
    std::vector<double> work;
    const auto gap = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        work = s.values;
        benchmark::DoNotOptimize(SpliceCorrectSpectrum(work, 350, 1000, 1830, gap));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Channels);
}
BENCHMARK(SpliceCorrection)->Arg(5)->Arg(30);

}  // namespace
