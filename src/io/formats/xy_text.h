// Text files of X,Y pairs, one pair a line, and how an import puts them on a
// 1 nm grid: the reader, the choice of the grid's first wavelength, the grid
// and the values written. Standard library only: the fuzzer links it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ops/analysis/kernels/interpolation.h"

// The file's points in file order; Y already rounded to Single precision.
struct XYPoints {
    std::vector<double> X;
    std::vector<double> Y;
};

enum class XYProblem {
    None,
    // No line, an empty line, a line without the separator, fewer than 4
    // points, X values that do not strictly ascend, too many lines or bytes.
    InvalidFileFormat,
    // A line whose X or Y text is not a number, or a Y beyond the Single range.
    InvalidDataFormat,
};

// Bounds of what an import takes: the point count, the channel count and the
// grid are 16-bit counts in the spectrum file, and the cubic needs 4 points.
inline constexpr std::size_t MaxXYFileSize = 4u * 1024 * 1024;
inline constexpr std::size_t MaxXYLines = 32767;
inline constexpr std::size_t MinXYPoints = 4;
inline constexpr std::size_t MaxImportChannels = 32767;

// Reads the text with separator between X and Y (" ", "," or Tab). Lines end
// at CR LF, CR or LF; the last one needs no end. Numbers take "." as their
// decimal sign and may have blanks around them. Points is filled only when
// the result is None.
XYProblem ReadXYPoints(const uint8_t* bytes, std::size_t size, char separator, XYPoints& points);

// The grid's first wavelength from the one chosen: below the first X it
// becomes the first X, and so does one beyond the last X.
double ImportGridStart(double chosen, const XYPoints& points);

// start, start + 1, ... by repeated addition, until a wavelength exceeds the
// last X plus 1 nm: the channel count of the output (the wavelengths that do
// not exceed the last X) plus one point beyond, which is extrapolated. Empty
// when the channel count would exceed MaxImportChannels.
std::vector<double> ImportGrid(double start, const XYPoints& points);

// The values of the grid wavelengths as Singles, interpolated over every
// point of the file; divided by 100 when the data are lamp data in
// microwatts per square centimetre. False when the interpolation refused a
// wavelength.
bool ImportValues(const XYPoints& points, const std::vector<double>& grid, bool microwatts,
                  std::vector<float>& values, InterpolateFunction interpolate);
