// Reading one full-size version-7 file, as every batch does for every input.

#include <benchmark/benchmark.h>

#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "support/spectrum_builder.h"

namespace {

SpectrumFileBuilder FullSizeFile() {
    std::vector<double> values(2151);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = 1000.0 + static_cast<double>(i);
    }
    return MakeCompleteSpectrum(7, values);
}

void ParseVersionSeven(benchmark::State& state) {
    const auto bytes = FullSizeFile().Bytes();
    LoadedSpectrum file;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ParseSpectrumFile(bytes.data(), bytes.size(), file));
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(ParseVersionSeven);

// The whole road of a batch input: open, read, check, load into module state.
void ReadVersionSevenFile(benchmark::State& state) {
    const std::string name = "/tmp/lumivex-bench-v7.001";
    FullSizeFile().WriteTo(name);
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReadSpectrumFile(name));
    }
    std::remove(name.c_str());
}
BENCHMARK(ReadVersionSevenFile)->Unit(benchmark::kMicrosecond);

// The division every reflectance batch makes of each input by its reference.
void ReflectanceOfVersionSeven(benchmark::State& state) {
    const std::string name = "/tmp/lumivex-bench-reflectance-v7.001";
    auto file = FullSizeFile();
    file.ReferenceValues.assign(file.Values.size(), 2000.0);
    file.WriteTo(name);
    ReadSpectrumFile(name);
    std::remove(name.c_str());
    for (auto _ : state) {
        benchmark::DoNotOptimize(ComputeReflectance());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(ReflectanceOfVersionSeven);

}  // namespace
