// Writes the small synthetic spectrum files in samples/: what a newcomer sees
// on the first start. Shapes are plausible, not measured.
//
// Usage: make_samples <folder>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/spectrum_builder.h"

namespace {

constexpr int Channels = 2151;  // 350 .. 2500 nm at 1 nm
constexpr double FirstWavelength = 350;

double Wavelength(int i) {
    return FirstWavelength + i;
}

double Bump(double x, double centre, double width) {
    const double d = (x - centre) / width;
    return std::exp(-d * d);
}

// Counts of a white panel: daylight through the instrument's three detectors.
double PanelCounts(double nm) {
    const double sun = 1.0 - 0.55 * (1.0 - Bump(nm, 600, 450)) - 0.9 * Bump(nm, 1400, 35) -
                       0.95 * Bump(nm, 1900, 60);
    const double gain = nm < 1000 ? 32000 : nm < 1830 ? 18000 : 9000;
    return std::max(50.0, gain * std::max(0.02, sun));
}

// A green leaf: chlorophyll in the visible, the red edge, water in the infrared.
double LeafReflectance(double nm) {
    const double visible = 0.05 + 0.08 * Bump(nm, 550, 35);
    const double edge = 1.0 / (1.0 + std::exp(-(nm - 715) / 12));
    const double nir = 0.48 - 0.25 * Bump(nm, 1450, 80) - 0.3 * Bump(nm, 1940, 110) -
                       0.12 * std::max(0.0, (nm - 1300) / 1200);
    return visible + edge * (nir - visible);
}

double GrassReflectance(double nm) {
    return 0.8 * LeafReflectance(nm) + 0.03;
}

SpectrumHeader FieldHeader(const char* comment, uint8_t dataType) {
    SpectrumHeader h;
    std::strncpy(reinterpret_cast<char*>(h.Comment.data()), comment, h.Comment.size() - 1);
    h.SaveTime = {12, 34, 10, 14, 5, 124, 5, 165, 0};  // 14 June 2024, 10:34:12
    h.ProgramVersion = 0x61;
    h.FormatVersion = 0x70;
    h.DataType = dataType;
    h.Channel1Wavelength = static_cast<float>(FirstWavelength);
    h.WavelengthStep = 1;
    h.InstrumentType = VnirSwir4;
    h.IntegrationTime = 136;
    h.ForeopticCode = 25;
    h.InstrumentNumber = 6012;
    h.CalibrationNumber = 3;
    h.BitCount = 16;
    h.SampleCount = 10;
    h.DarkCount = 25;
    h.ReferenceCount = 10;
    h.DarkSubtracted = 1;
    h.DarkTime = 1718361000;
    h.ReferenceTime = 1718361200;
    h.Swir1Gain = 200;
    h.Swir2Gain = 100;
    h.Swir1Offset = 2048;
    h.Swir2Offset = 2048;
    h.Splice1Wavelength = 1000;
    h.Splice2Wavelength = 1830;
    h.Gps.Latitude = 47.3769;
    h.Gps.Longitude = 8.5417;
    h.Gps.Altitude = 408;
    h.Gps.FixQuality = 1;
    h.Gps.UtcTime = {12, 34, 8, 0};
    h.Gps.Satellites[0] = 8;
    h.Detector.SerialNumber = 1207;
    h.Detector.Temperature = 24.5f;
    h.Detector.Humidity = 41;
    h.Detector.Averaging = 10;
    h.Detector.Status = 4;
    return h;
}

template <typename F>
std::vector<double> Spectrum(F f) {
    std::vector<double> values(Channels);
    for (int i = 0; i < Channels; ++i) {
        values[static_cast<std::size_t>(i)] = f(Wavelength(i));
    }
    return values;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_samples <folder>\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    const auto panel = Spectrum(PanelCounts);

    // A white panel as reflectance, version 1.
    SpectrumFileBuilder white;
    white.Version = 1;
    white.Header = FieldHeader("White reference panel", Reflectance);
    white.Header.FormatVersion = 16;
    white.Values = Spectrum([](double nm) { return 0.985 - 0.02 * Bump(nm, 2400, 200); });
    white.WriteTo((folder / "panel.001").string());

    // A green leaf and a meadow over a white reference, version 2: raw counts
    // with the panel's counts stored behind them.
    for (const auto& [name, comment, reflectance] :
         {std::tuple{"leaf.002", "Beech leaf, upper side", &LeafReflectance},
          std::tuple{"meadow.003", "Meadow, nadir, 1.2 m", &GrassReflectance}}) {
        SpectrumFileBuilder file;
        file.Version = 2;
        file.Header = FieldHeader(comment, Raw);
        file.Header.ValueFormat = ValueDouble;
        // Copied out of the binding: clang 14 cannot capture a structured binding.
        const auto shape = reflectance;
        file.Values = Spectrum([&](double nm) { return PanelCounts(nm) * shape(nm); });
        file.Reference.ReferenceFlag = 1;
        file.ReferenceValues = panel;
        file.WriteTo((folder / name).string());
    }

    // A raw leaf spectrum of a newer instrument, version 7, with its absolute,
    // lamp and foreoptic calibrations embedded.
    SpectrumFileBuilder field;
    field.Version = 7;
    field.Header = FieldHeader("Beech leaf, version 7 with calibration", Raw);
    field.Header.ValueFormat = ValueDouble;
    field.Values = Spectrum([](double nm) { return PanelCounts(nm) * LeafReflectance(nm); });
    field.Reference.ReferenceFlag = 1;
    field.ReferenceValues = panel;
    field.Calibrations = {MakeCalibration(CalAbs, "abs6012.ref"),
                          MakeCalibration(CalLmp, "lmp6012.ill"),
                          MakeCalibration(CalFo, "fo6012.raw")};
    field.CalibrationBuffers = {Spectrum([](double) { return 0.99; }),
                                Spectrum([](double nm) { return 0.2 * Bump(nm, 900, 700); }),
                                Spectrum(PanelCounts)};
    field.WriteTo((folder / "field.004").string());
    return 0;
}
