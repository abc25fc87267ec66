#include "ops/analysis/spectral_transforms.h"

#include <vector>

#include "frame/settings.h"
#include "ops/analysis/kernels/transforms.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

// One derivative stage: source's gap difference into target, shown.
bool Differentiate(const std::vector<double>& source, std::vector<double>& target) {
    if (source.empty()) {
        return false;
    }
    GapDifference(source, DerivativeGap, target);
    DisplayData = target;
    return true;
}

}  // namespace

bool ComputeLog1R() {
    // A reflectance that could not be formed leaves ReflectanceData as an
    // earlier spectrum left it; its log must not pass for this one's.
    if (!ComputeReflectance() || ReflectanceData.empty()) {
        return false;
    }
    Log1R(ReflectanceData, Log1RData);
    DisplayData = Log1RData;
    return true;
}

bool ComputeReflectanceDeriv1() {
    if (!ComputeReflectance()) {
        return false;
    }
    return Differentiate(ReflectanceData, FirstDerivData);
}

bool ComputeLog1RDeriv1() {
    if (!ComputeLog1R()) {
        return false;
    }
    return Differentiate(Log1RData, FirstDerivData);
}

bool ComputeReflectanceDeriv2() {
    if (!ComputeReflectanceDeriv1()) {
        return false;
    }
    return Differentiate(FirstDerivData, SecondDerivData);
}

bool ComputeLog1RDeriv2() {
    if (!ComputeLog1RDeriv1()) {
        return false;
    }
    return Differentiate(FirstDerivData, SecondDerivData);
}
