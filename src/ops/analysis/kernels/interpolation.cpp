#include "ops/analysis/kernels/interpolation.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The start as a Single; one beyond the Single range is the infinity it
// rounds to (the plain conversion of such a value is not defined).
double AsSingle(double value) {
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
        return value > 0 ? std::numeric_limits<double>::infinity()
                         : -std::numeric_limits<double>::infinity();
    }
    return static_cast<float>(value);
}

}  // namespace

double GridStart(double start, float channel1Wavelength, float wavelengthStep, int channelCount) {
    const double first = channel1Wavelength;
    const double asStored = AsSingle(start);
    if (asStored < first) {
        return first;
    }
    const double last = first + static_cast<double>(channelCount - 1) * wavelengthStep;
    if (last <= asStored) {
        return first;
    }
    return start;
}

std::vector<double> MakeGrid(double first, double step, int count) {
    std::vector<double> grid;
    if (count < 1) {
        return grid;
    }
    grid.reserve(static_cast<std::size_t>(count));
    double x = first;
    for (int j = 0; j < count; ++j) {
        grid.push_back(x);
        x += step;
    }
    return grid;
}

std::vector<double> ChannelWavelengths(float channel1Wavelength, float wavelengthStep,
                                       std::size_t count) {
    std::vector<double> wavelengths(count);
    for (std::size_t i = 0; i < count; ++i) {
        wavelengths[i] = channel1Wavelength + static_cast<double>(i) * wavelengthStep;
    }
    return wavelengths;
}

GridProblem CheckGrid(const std::vector<double>& wavelengths, const std::vector<double>& grid) {
    if (wavelengths.size() < 4) {
        return GridProblem::FewChannels;
    }
    for (std::size_t i = 0; i < wavelengths.size(); ++i) {
        if (!std::isfinite(wavelengths[i]) || (i > 0 && !(wavelengths[i] > wavelengths[i - 1]))) {
            return GridProblem::NotRising;
        }
    }
    // The grid is built by repeated addition and the file's wavelengths from
    // Singles: an end on the last channel may miss it by a rounding error,
    // which must not cost the user the file.
    const double first = wavelengths.front();
    const double last = wavelengths.back();
    const double slack = 1e-6 * std::max(1.0, std::fabs(last));
    for (double x : grid) {
        if (!std::isfinite(x) || x > last + slack || x < first - slack) {
            return GridProblem::PastLastChannel;
        }
    }
    return GridProblem::None;
}

bool InterpolateOntoGrid(const std::vector<double>& wavelengths, const std::vector<double>& values,
                         const std::vector<double>& grid, std::vector<double>& out,
                         InterpolateFunction interpolate) {
    out.assign(grid.size(), 0.0);
    const auto n = static_cast<int32_t>(wavelengths.size());
    for (std::size_t j = 0; j < grid.size(); ++j) {
        double y = 0;
        if (interpolate(y, wavelengths.data(), values.data(), n, grid[j]) == 0) {
            return false;
        }
        out[j] = y;
    }
    return true;
}
