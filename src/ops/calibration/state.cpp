#include "ops/calibration/state.h"

int32_t SpliceGap = 0;
