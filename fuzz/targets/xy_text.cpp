// Arbitrary bytes as an X,Y text file, the first byte choosing the separator:
// the reader must accept or refuse them without reading outside the buffer,
// and whatever it accepts is a set of points the import can resample within
// its bounds.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>

#include "io/formats/xy_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const char separators[] = {' ', ',', '\t'};
    const char separator = separators[data[0] % 3];
    XYPoints points;
    const XYProblem problem = ReadXYPoints(data + 1, size - 1, separator, points);
    if (problem != XYProblem::None) {
        if (!points.X.empty()) {
            std::abort();
        }
        return 0;
    }
    if (points.X.size() < MinXYPoints || points.X.size() > MaxXYLines ||
        points.X.size() != points.Y.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < points.X.size(); ++i) {
        if (!std::isfinite(points.X[i]) || !std::isfinite(points.Y[i]) ||
            std::fabs(points.Y[i]) > std::numeric_limits<float>::max() ||
            (i > 0 && !(points.X[i] > points.X[i - 1]))) {
            std::abort();
        }
    }
    for (double chosen : {points.X.front(), points.X.back(), points.X.front() - 1.5}) {
        const double start = ImportGridStart(chosen, points);
        if (start < points.X.front() || start > points.X.back()) {
            std::abort();
        }
        const auto grid = ImportGrid(start, points);
        if (grid.size() > MaxImportChannels + 1 || (!grid.empty() && grid.size() < 2)) {
            std::abort();
        }
    }
    return 0;
}
