// Writes seed inputs for the reader's fuzz target: builder-made files of every
// version, with extension records and calibration sections.

#include <cstdio>
#include <filesystem>
#include <string>

#include "support/spectrum_builder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    for (int version : {1, 2, 3, 5, 6, 7, 8}) {
        auto file = MakeSpectrum(version, {1, 2, 3, 4});
        file.Reference.Description.Bytes = {'w', 'r'};
        file.Extension.Strings[0].Bytes = {'s'};
        file.Extension.Entries.Dimensions = {{1, 0}};
        file.Extension.Entries.Elements.resize(1);
        file.ExtensionData.Strings.Dimensions = {{1, 0}};
        file.ExtensionData.Strings.Elements.resize(1);
        file.ExtensionData.Values.Dimensions = {{2, 0}};
        file.ExtensionData.Values.Elements.resize(2);
        file.Calibrations = {MakeCalibration(CalAbs, "abs"), MakeCalibration(CalLmp, "lmp"),
                             MakeCalibration(CalFo, "fo")};
        file.CalibrationBuffers = {{1, 1, 1, 1}, {2, 2, 2, 2}, {3, 3, 3, 3}};
        file.WriteTo((folder / ("v" + std::to_string(version))).string());
    }
    auto legacy = MakeSpectrum(1, std::vector<double>(512, 7));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Vnir1;
    legacy.ChannelCount = 600;
    legacy.WriteTo((folder / "legacy").string());
    return 0;
}
