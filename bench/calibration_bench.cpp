// The radiometric kernels on a full-size spectrum of a three-detector
// instrument: what the radiometric batch, NEDL and every radiometric display
// mode of the graph pay per spectrum.

#include <benchmark/benchmark.h>

#include <vector>

#include "ops/calibration/kernels/radiometric.h"

namespace {

constexpr int Channels = 2151;

struct Calibration {
    SpectrumHeader header;
    SpectrumHeader cal;
    std::vector<double> dn, response, lamp, baseline, out;

    Calibration()
        : dn(Channels), response(Channels), lamp(Channels), baseline(Channels), out(Channels) {
        header.ChannelCount = Channels;
        header.Channel1Wavelength = 350;
        header.WavelengthStep = 1;
        header.InstrumentType = VnirSwir4;
        header.Splice1Wavelength = 1000;
        header.Splice2Wavelength = 1800;
        header.IntegrationTime = 34;
        header.Swir1Gain = 200;
        header.Swir2Gain = 150;
        cal.IntegrationTime = 17;
        cal.Swir1Gain = 100;
        cal.Swir2Gain = 120;
        for (int i = 0; i < Channels; ++i) {
            dn[i] = 1000.0 + i;
            response[i] = 2000.0 + (i % 7);
            lamp[i] = 0.1 + i * 1e-4;
            baseline[i] = 0.98;
        }
    }
};

void Radiance(benchmark::State& state) {
    Calibration c;
    for (auto _ : state) {
        CalcRadiance(c.out, c.dn, c.response, c.lamp, c.baseline, c.header, c.cal,
                     c.header.InstrumentType);
        benchmark::DoNotOptimize(c.out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Channels);
}
BENCHMARK(Radiance);

void Irradiance(benchmark::State& state) {
    Calibration c;
    for (auto _ : state) {
        CalcIrradiance(c.out, c.dn, c.response, c.lamp, c.header, c.cal, c.header.InstrumentType);
        benchmark::DoNotOptimize(c.out.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * Channels);
}
BENCHMARK(Irradiance);

}  // namespace
