#include "ops/calibration/kernels/quantum_intensity.h"

#include <algorithm>

std::vector<double> ComputeQuantumIntensity(std::span<const double> Irradiance, int Channels,
                                            float FirstWavelength, float Step) {
    const std::size_t count =
        std::min(static_cast<std::size_t>(std::max(Channels, 0)), Irradiance.size());
    std::vector<double> qi(count);
    for (std::size_t i = 0; i < count; ++i) {
        const float wavelength = static_cast<float>(i) * Step + FirstWavelength;
        qi[i] = (QuantumIntensityFactor * Irradiance[i]) * static_cast<double>(wavelength);
    }
    return qi;
}
