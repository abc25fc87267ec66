// Which channels of a file survive when it is cut to a new wavelength range.
#pragma once

#include <optional>

struct TruncationWindow {
    int First = 0;  // index of the first channel kept
    int Count = 0;  // channels kept
};

// For a file of `available` channels spanning fileStart to fileEnd with the
// given step, cut to newStart .. newEnd:
//   the trimmed width (newStart - fileStart) + (fileEnd - newEnd) is rounded to
//   whole nanometres, then divided by the step and rounded: t channels;
//   Count = available - t; First = (newStart - fileStart) / step rounded, not
//   below 0 (all roundings half to even).
// The two roundings can disagree for steps below 1 nm, so Count is cut to the
// channels there are from First on. Nothing when no channel would be left or
// the step is not a positive number.
std::optional<TruncationWindow> ComputeTruncationWindow(int available, double fileStart,
                                                        double fileEnd, double newStart,
                                                        double newEnd, double step);
