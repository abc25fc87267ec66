// The spectral transforms as plain functions of their inputs: log 1/R of a
// reflectance and the gap difference that every derivative in the program
// uses. No module state, no prompts, so the graph, the exports, the batches
// and the benchmarks all compute exactly the same numbers.
#pragma once

#include <cstdint>
#include <vector>

// The missing-value marker of the data arrays.
inline constexpr double MissingValueMarker = -9999.0;

// log10(1/R) of one reflectance: the marker stays the marker, a reflectance
// that is not above 0 gives 10.
double Log1RKeepingMarker(double reflectance);

// target := Log1RKeepingMarker of every entry of reflectance, same length.
void Log1R(const std::vector<double>& reflectance, std::vector<double>& target);

// The gap the operator really uses. A gap below 3 can only come from a
// hand-edited settings file and would divide by zero (1) or index before the
// first channel (0 and below); it is taken as 7, the program's default.
int16_t UsableDerivativeGap(int16_t gap);

// Half the window of a gap: channels on each side of the centre whose
// difference is taken (g = 7 gives 3).
int GapHalfWidth(int16_t gap);

// The derivative operator. With h = g / 2 and d = g - 1 (g as made usable
// above): target(i) = (source(i + h) - source(i - h)) / d for every i that
// has h channels on both sides; every other entry is 0. The slope is per
// channel, not per nanometre. target gets the length of source.
void GapDifference(const std::vector<double>& source, int16_t gap, std::vector<double>& target);
