// Writes seed inputs for the fuzz targets: builder-made files of every version,
// with extension records and calibration sections, and a band set.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/graph/graph_look.h"
#include "support/spectrum_builder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_seeds <folder>\n");
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    std::filesystem::create_directories(folder);
    for (int version : {1, 2, 3, 5, 6, 7, 8}) {
        const auto file = MakeCompleteSpectrum(version, {1, 2, 3, 4});
        file.WriteTo((folder / ("v" + std::to_string(version))).string());
    }
    auto legacy = MakeSpectrum(1, std::vector<double>(512, 7));
    legacy.Header.ValueFormat = ValueInteger;
    legacy.Header.InstrumentType = Vnir1;
    legacy.ChannelCount = 600;
    legacy.WriteTo((folder / "legacy").string());
    // A band set of lambda integration.
    std::ofstream((folder / "bands.lsa").string(), std::ios::binary)
        << "3\r\naverage\r\n400,402\r\nno comma\r\n1000.5,1200\r\n";
    // A saved graph look with titles, a kept curve look and a fixed range.
    GraphModel graph;
    graph.Set(11, int16_t{3});
    graph.Set(9, std::string("Spectral Data"));
    graph.Set(131, 2, std::string("D65"));
    graph.Set(132, 2, int32_t{16711680});
    graph.Set(58, int16_t{3});
    graph.Set(59, 2500.0);
    graph.Set(11, int16_t{2});
    std::ofstream((folder / "look.bin").string(), std::ios::binary)
        << WriteGraphLook(graph.SaveLook());
    // A colour table file beside the control.
    std::ofstream((folder / "CIE_A").string(), std::ios::binary) << "6.14462\r\n6.29955, 6.45724\n";
    return 0;
}
