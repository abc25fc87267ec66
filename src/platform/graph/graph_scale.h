// The axes' ranges and ticks. Whatever the callers wrote (equal ends, ends in
// the wrong order, NaN, infinities, ranges near the limits of a double), the
// result is an ordered finite range of some width and a bounded list of
// ticks, so that drawing never divides by zero or loops without end.
#pragma once

#include <optional>
#include <vector>

#include "platform/graph/graph_model.h"

struct GraphRange {
    double Low = 0.0;
    double High = 1.0;
};

// Most ticks an axis ever gets.
inline constexpr int GraphMaxTicks = 50;

// The ends in order, each finite, the two apart.
GraphRange SaneRange(double a, double b);

// The smallest and largest x (or y) of the points with data, over the curves
// in use; nothing when no point has data.
std::optional<GraphRange> DataRange(const GraphModel& model, bool yAxis);

// The axis ranges as drawn: the fixed ranges when 58 (x) or 55 (y) ask for
// them, otherwise the data's range widened to whole ticks.
GraphRange XRange(const GraphModel& model, int wantedTicks);
GraphRange YRange(const GraphModel& model, int wantedTicks);

// Round tick values (1, 2 or 5 times a power of ten) inside the range, about
// wantedTicks of them and never more than GraphMaxTicks.
std::vector<double> GraphTicks(GraphRange range, int wantedTicks);
