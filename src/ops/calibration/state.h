// Module state of the calibration and correction operations.
#pragma once

#include <cstdint>

// The splice-correction gap in channels: 1 to 30 from its dialog, 5 whenever
// the main window loads; not kept between runs.
extern int32_t SpliceGap;
