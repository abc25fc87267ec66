// Arbitrary bytes as a band-set file: the reader must load or refuse them
// without reading outside the buffer, and whatever it loads is a set of sound
// bands that writes back to a file reading the same.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "ops/analysis/kernels/band_set_file.h"
#include "platform/text/convert.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    BandSet set;
    BandSetError error;
    if (!ParseBandSetFile(data, size, set, error)) {
        if (error.Problem == BandSetProblem::None || error.Line < 1) {
            std::abort();
        }
        return 0;
    }
    for (const LambdaBand& band : set.Bands) {
        const auto start = ParseDouble(band.Start);
        const auto end = ParseDouble(band.End);
        if (!start || !end || !(*start < *end)) {
            std::abort();
        }
    }
    const std::string text = BandSetFileText(set);
    BandSet again;
    if (!ParseBandSetFile(reinterpret_cast<const uint8_t*>(text.data()), text.size(), again,
                          error) ||
        again.Bands.size() != set.Bands.size() || again.Average != set.Average) {
        std::abort();
    }
    return 0;
}
