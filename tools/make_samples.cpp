// Writes the small synthetic spectrum files in samples/: what a newcomer sees
// on the first start. Shapes are plausible, not measured.
//
// Usage: make_samples <folder>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include "ops/calibration/kernels/absolute_reference.h"
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

// Bare dry soil: brightening slowly into the infrared, with clay and water
// features.
double SoilReflectance(double nm) {
    return 0.08 + 0.3 * (1.0 - std::exp(-(nm - 350) / 700)) - 0.05 * Bump(nm, 1410, 40) -
           0.08 * Bump(nm, 1920, 60) - 0.04 * Bump(nm, 2200, 30);
}

// The white panel's own calibrated reflectance.
double PanelReflectance(double nm) {
    return 0.985 - 0.02 * Bump(nm, 2400, 200);
}

// The calibration lamp's irradiance, W/m^2/nm, and the instrument's counts
// looking at it.
double LampIrradiance(double nm) {
    return 0.2 * Bump(nm, 900, 700);
}

double LampCounts(double nm) {
    return std::max(50.0, 0.9 * PanelCounts(nm) * (0.3 + Bump(nm, 900, 700)));
}

// Where the samples were taken. The receiver's positions are stored as it
// reports them (degrees and minutes, ddmm.mmmm), and a position east of
// Greenwich as a negative longitude.
struct Site {
    double Latitude, Longitude, Altitude;
};
constexpr Site EastOfGreenwich{4722.6140, -832.5020, 408};
constexpr Site WestOfGreenwich{3832.7000, 12144.4000, 16};

// An instrument ends the comment it stores with CR LF and leaves the rest of
// the field zero.
void StoreComment(SpectrumHeader& h, const std::string& comment) {
    const std::string text = comment + "\r\n";
    std::copy_n(text.begin(), std::min(text.size(), h.Comment.size()), h.Comment.begin());
}

SpectrumHeader FieldHeader(const std::string& comment, uint8_t dataType, const Site& site) {
    SpectrumHeader h;
    StoreComment(h, comment);
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
    h.Gps.Latitude = site.Latitude;
    h.Gps.Longitude = site.Longitude;
    h.Gps.Altitude = site.Altitude;
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

// A calibration record with the integration time and gains the instrument was
// calibrated at; the conversions scale by them.
CalibrationHeader CalibrationRecord(uint8_t type, const std::string& name) {
    CalibrationHeader record = MakeCalibration(type, name);
    record.CalIntegrationTime = 136;
    record.CalSwir1Gain = 200;
    record.CalSwir2Gain = 100;
    return record;
}

template <typename F>
std::vector<double> Spectrum(F f) {
    std::vector<double> values(Channels);
    for (int i = 0; i < Channels; ++i) {
        values[static_cast<std::size_t>(i)] = f(Wavelength(i));
    }
    return values;
}

// The three calibrations a file carries: the panel's (a baseline for a
// radiometric measurement, the absolute reference for absolute reflectance),
// the lamp and the instrument's response to that lamp.
void EmbedCalibration(SpectrumFileBuilder& file, uint8_t panelType, const std::string& panelName) {
    file.Calibrations = {CalibrationRecord(panelType, panelName),
                         CalibrationRecord(CalLmp, "lmp6012.ill"),
                         CalibrationRecord(CalFo, "fo6012.raw")};
    file.CalibrationBuffers = {Spectrum(PanelReflectance), Spectrum(LampIrradiance),
                               Spectrum(LampCounts)};
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
    white.Header = FieldHeader("White reference panel", Reflectance, EastOfGreenwich);
    white.Header.FormatVersion = 16;
    white.Values = Spectrum(PanelReflectance);
    white.WriteTo((folder / "panel.001").string());

    // A green leaf and a meadow over a white reference, version 2: raw counts
    // with the panel's counts stored behind them.
    for (const auto& [name, comment, reflectance, site] :
         {std::tuple{"leaf.002", "Beech leaf, upper side", &LeafReflectance, EastOfGreenwich},
          std::tuple{"meadow.003", "Meadow, nadir, 1.2 m", &GrassReflectance, WestOfGreenwich}}) {
        SpectrumFileBuilder file;
        file.Version = 2;
        file.Header = FieldHeader(comment, Raw, site);
        file.Header.ValueFormat = ValueDouble;
        // Copied out of the binding: clang 14 cannot capture a structured binding.
        const auto shape = reflectance;
        file.Values = Spectrum([&](double nm) { return PanelCounts(nm) * shape(nm); });
        file.Reference.ReferenceFlag = 1;
        file.ReferenceValues = panel;
        file.WriteTo((folder / name).string());
    }

    // A leaf measured as radiance by a newer instrument, version 7: the raw
    // counts, the panel's counts and the calibration it converts them with.
    SpectrumFileBuilder field;
    field.Version = 7;
    field.Header =
        FieldHeader("Beech leaf, radiance, version 7 with calibration", Radiance, EastOfGreenwich);
    field.Header.ValueFormat = ValueDouble;
    field.Values = Spectrum([](double nm) { return PanelCounts(nm) * LeafReflectance(nm); });
    field.Reference.ReferenceFlag = 1;
    field.ReferenceValues = panel;
    EmbedCalibration(field, CalBse, "bse6012.ref");
    field.WriteTo((folder / "field.004").string());

    // Daylight through a cosine receptor, as irradiance, with no white
    // reference.
    SpectrumFileBuilder sky;
    sky.Version = 7;
    sky.Header =
        FieldHeader("Downwelling irradiance, cosine receptor", Irradiance, WestOfGreenwich);
    sky.Header.ValueFormat = ValueDouble;
    sky.Header.ForeopticCode = ForeopticCosineReceptor;
    sky.Header.ReferenceCount = 0;
    sky.Header.ReferenceTime = -1;
    sky.Values = Spectrum([](double nm) { return 0.6 * PanelCounts(nm); });
    // The reference block is there, empty, and flagged as unusable.
    sky.ReferenceValues.assign(Channels, 0.0);
    EmbedCalibration(sky, CalBse, "bse6012.ref");
    sky.WriteTo((folder / "sky.005").string());

    // Soil as absolute reflectance: the panel's own calibrated reflectance
    // comes with the file.
    SpectrumFileBuilder soil;
    soil.Version = 7;
    soil.Header = FieldHeader("Dry loam, absolute reflectance", Reflectance, WestOfGreenwich);
    soil.Header.ValueFormat = ValueDouble;
    soil.Header.ApplicationCode = AppAbsoluteReflectance;
    StoreAbsoluteReferenceName(soil.Header, "abs6012.ref");
    soil.Values = Spectrum([](double nm) { return PanelCounts(nm) * SoilReflectance(nm); });
    soil.Reference.ReferenceFlag = 1;
    soil.ReferenceValues = panel;
    EmbedCalibration(soil, CalAbs, "abs6012.ref");
    soil.WriteTo((folder / "soil.006").string());
    return 0;
}
