#include "io/formats/xy_text.h"

#include <cmath>
#include <string_view>

#include "io/formats/text_lines.h"
#include "platform/text/convert.h"

namespace {

XYProblem ReadPoint(std::string_view line, char separator, XYPoints& points) {
    const std::size_t at = line.find(separator);
    if (at == std::string_view::npos) {
        return XYProblem::InvalidFileFormat;
    }
    const std::string_view xText = line.substr(0, at);
    const std::string_view yText = line.substr(at + 1);
    // The number reader skips tabs around a number, so "400\t0\t" would pass
    // with its second separator; blanks after a blank separator are padding.
    if (separator != ' ' && yText.find(separator) != std::string_view::npos) {
        return XYProblem::InvalidDataFormat;
    }
    const auto x = ParseDouble(xText);
    const auto y = ParseDouble(yText);
    if (!x || !y) {
        return XYProblem::InvalidDataFormat;
    }
    float single = 0;
    try {
        single = CSng(*y);
    } catch (const VbError&) {
        return XYProblem::InvalidDataFormat;
    }
    points.X.push_back(*x);
    points.Y.push_back(single);
    return XYProblem::None;
}

}  // namespace

XYProblem ReadXYPoints(const uint8_t* bytes, std::size_t size, char separator, XYPoints& points) {
    points = XYPoints{};
    if (size > MaxXYFileSize) {
        return XYProblem::InvalidFileFormat;
    }
    XYPoints read;
    TextLines lines(bytes, size);
    std::string_view line;
    while (lines.Next(line)) {
        if (read.X.size() == MaxXYLines) {
            return XYProblem::InvalidFileFormat;
        }
        if (const XYProblem problem = ReadPoint(line, separator, read);
            problem != XYProblem::None) {
            return problem;
        }
    }
    // The grid takes the first X for the smallest and the last for the
    // largest, and the cubic needs four distinct abscissas.
    if (read.X.size() < MinXYPoints) {
        return XYProblem::InvalidFileFormat;
    }
    for (std::size_t i = 1; i < read.X.size(); ++i) {
        if (!(read.X[i] > read.X[i - 1])) {
            return XYProblem::InvalidFileFormat;
        }
    }
    points = std::move(read);
    return XYProblem::None;
}

double ImportGridStart(double chosen, const XYPoints& points) {
    const double first = points.X.front();
    double start = chosen;
    if (start < first) {
        start = first;
    }
    if (start > points.X.back()) {
        start = first;
    }
    return start;
}

std::vector<double> ImportGrid(double start, const XYPoints& points) {
    const double end = points.X.back() + 1.0;
    // Counted before anything is allocated: a file spanning a huge X range
    // must not make the loop run for ever.
    if (!std::isfinite(start) || !std::isfinite(end) ||
        !(end - start <= static_cast<double>(MaxImportChannels) + 1.0)) {
        return {};
    }
    std::vector<double> grid;
    double w = start;
    do {
        grid.push_back(w);
        w += 1.0;
    } while (!(w > end) && grid.size() <= MaxImportChannels + 1);
    if (grid.size() - 1 > MaxImportChannels) {
        return {};
    }
    return grid;
}

bool ImportValues(const XYPoints& points, const std::vector<double>& grid, bool microwatts,
                  std::vector<float>& values, InterpolateFunction interpolate) {
    std::vector<double> interpolated;
    if (!InterpolateOntoGrid(points.X, points.Y, grid, interpolated, interpolate)) {
        return false;
    }
    values.assign(interpolated.size(), 0.0f);
    for (std::size_t k = 0; k < interpolated.size(); ++k) {
        values[k] = CSngOrInfinity(interpolated[k]);
        if (microwatts) {
            // uW/cm^2 to W/m^2, in Single arithmetic.
            values[k] = values[k] / 100.0f;
        }
    }
    return true;
}
