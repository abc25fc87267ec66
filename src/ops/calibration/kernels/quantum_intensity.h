// Quantum intensity: irradiance weighted channel by channel with the channel's
// wavelength.
#pragma once

#include <span>
#include <vector>

// Multiplies the irradiance before the wavelength does.
inline constexpr double QuantumIntensityFactor = 0.008359;

// QI(i) = (0.008359 x Irradiance(i)) x wavelength(i) for the first Channels
// channels, where wavelength(i) = Single(i) x Step + FirstWavelength is
// computed in Single, as the header's wavelength fields are. Channels beyond
// the values there are (legacy data holds 512 values whatever its header says)
// are not computed: the result is never longer than Irradiance.
std::vector<double> ComputeQuantumIntensity(std::span<const double> Irradiance, int Channels,
                                            float FirstWavelength, float Step);
