// Arbitrary bytes as a Bran+Luebbe coefficient file and as a model file: the
// readers must accept or refuse them without reading outside the buffer,
// refusals must say why, and whatever they accept is within the bounds the
// tables rely on (19 coefficient rows, 0 to 5 terms a model).

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "io/formats/bran_luebbe.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    std::vector<BLCoefficient> rows;
    std::string error;
    const bool rowsRead = ParseBLCoefficients(data, size, rows, error);
    if (rowsRead ? rows.size() != BLCoefficientCount : (!rows.empty() || error.empty())) {
        std::abort();
    }
    std::vector<BLModel> models;
    error.clear();
    if (!ParseBLModels(data, size, models, error)) {
        if (!models.empty() || error.empty()) {
            std::abort();
        }
        return 0;
    }
    for (const BLModel& model : models) {
        if (model.TermCount < 0 || model.TermCount > static_cast<int16_t>(BLMaxTerms)) {
            std::abort();
        }
    }
    if (rowsRead) {
        const std::vector<double> spectrum(40, 0.5);
        const float start = rows.front().Wavelength;
        const BLValues values =
            WalkBLCoefficients(start, 40, spectrum.size(), rows, [&](std::size_t k, std::size_t j) {
                return rows[k].MultCoefficient * float(spectrum[j]);
            });
        if (BLHeadRows(true, true, models, rows).empty() ||
            BLDataRow("x", true, models, rows, values, true).empty()) {
            std::abort();
        }
    }
    return 0;
}
