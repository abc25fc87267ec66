// The graph's data as text for other programs: Windows-1252, CR LF,
// tab-separated; a header line "Curve", x-axis title, y-axis title; then
// label, x and y of every point with data, curve by curve.
#pragma once

#include <string>

#include "platform/graph/graph_model.h"

std::string GraphDataText(const GraphModel& model);
