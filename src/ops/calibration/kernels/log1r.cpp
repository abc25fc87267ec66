#include "ops/calibration/kernels/log1r.h"

#include <cmath>

double Log1RValue(double R) {
    if (R > 0) {
        return std::log(1 / R) / std::log(10.0);
    }
    return 10.0;
}
