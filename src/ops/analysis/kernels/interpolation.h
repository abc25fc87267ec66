// Putting a spectrum on a new wavelength grid: the grid a file gets from the
// user's start, step and channel count, the test that the file can fill it,
// and the values at the grid points by ZelUtil's cubic interpolation over the
// file's own wavelengths.
#pragma once

#include <cstdint>
#include <vector>

#include "zelutil/binding.h"

// ZelUtil::InterpolateValue, or a stand-in with its contract: Y at X from the
// table XA, YA of N points; 0 when it cannot give a value.
using InterpolateFunction = int32_t (*)(double& Y, const double* XA, const double* YA, int32_t N,
                                        double X);

// The first wavelength of a file's grid. A start below the file's first
// wavelength, or at or past its last one, is taken as its first wavelength;
// start and first are compared as Singles, as the header stores them.
double GridStart(double start, float channel1Wavelength, float wavelengthStep, int channelCount);

// first, first + step, ... by repeated addition, count points.
std::vector<double> MakeGrid(double first, double step, int count);

// The wavelength of every channel: channel1 + i * step.
std::vector<double> ChannelWavelengths(float channel1Wavelength, float wavelengthStep,
                                       std::size_t count);

enum class GridProblem {
    None,
    FewChannels,      // fewer than the 4 points one cubic needs
    NotRising,        // wavelengths that do not rise from channel to channel
    PastLastChannel,  // the grid would need values beyond the last channel
};

// Whether the file's wavelengths can give a value at every grid point
// without extrapolating.
GridProblem CheckGrid(const std::vector<double>& wavelengths, const std::vector<double>& grid);

// out(j) := the value at grid(j) of the table wavelengths, values (values
// holds at least as many entries as wavelengths). False when the interpolation
// refused a point; out is then incomplete. Throws what interpolate throws
// (ZelUtil::Unavailable when the library is missing).
bool InterpolateOntoGrid(const std::vector<double>& wavelengths, const std::vector<double>& values,
                         const std::vector<double>& grid, std::vector<double>& out,
                         InterpolateFunction interpolate = &ZelUtil::InterpolateValue);
