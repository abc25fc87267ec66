// Mean, median and standard-deviation spectra of the files of the work list.
#pragma once

#include <cstdint>

// The outputs of a run, added up into its selection.
inline constexpr int16_t StatisticsMean = 1;
inline constexpr int16_t StatisticsMedian = 2;
inline constexpr int16_t StatisticsStandardDeviation = 4;

// Reads every file of the work list, asks for the name of each selected
// output while it handles the first file it accepts, and writes the selected
// outputs (".mn", ".md", ".st") only after the last file has been read. The
// written files become the visible list. Restores the mouse pointer itself;
// leaves the graph's display mode and derivative as they were.
void CreateStatisticsFiles(int16_t Selection);
