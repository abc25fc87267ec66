#include "ops/calibration/kernels/radiometric.h"

namespace {

// The region ends E1 and E2 of an instrument type, and whether it has any.
bool RegionEnds(const SpectrumHeader& header, double last, double& e1, double& e2) {
    switch (header.InstrumentType) {
        case Swir0:
        case Vnir1:
        case Vnir2:
        case Vnir3:
        case Vnir10:
            e1 = last;
            e2 = last;
            return true;
        case VnirSwir4:
        case VnirSwir7:
            e1 = header.Splice1Wavelength;
            e2 = header.Splice2Wavelength;
            return true;
        case Swir5:
            e1 = header.Channel1Wavelength;
            e2 = header.Splice2Wavelength;
            return true;
        default:
            return false;
    }
}

bool RunsSwirPasses(uint8_t instrumentType) {
    return instrumentType == VnirSwir4 || instrumentType == Swir5 || instrumentType == VnirSwir7;
}

// 2048 over a gain is the gain's scale.
double GainFactor(int16_t calibrationGain, int16_t spectrumGain) {
    return (2048.0 / calibrationGain) / (2048.0 / spectrumGain);
}

constexpr double RadianceDivisor = 3.14159;

struct Inputs {
    std::span<double> out;
    std::span<const double> dn, response, lamp, baseline;
    bool radiance;
};

void ApplyRegion(const Inputs& in, RadiometricRegion region, double k) {
    for (int c = region.First; c < region.End; ++c) {
        const auto i = static_cast<std::size_t>(c);
        if (i >= in.dn.size() || i >= in.response.size() || i >= in.lamp.size() ||
            (in.radiance && i >= in.baseline.size())) {
            continue;
        }
        if (in.response[i] == 0) {
            in.out[i] = 0;
            continue;
        }
        double value = (in.dn[i] / in.response[i]) * in.lamp[i] * k;
        if (in.radiance) {
            value *= in.baseline[i];
        }
        in.out[i] = value;
    }
}

void Convert(const Inputs& in, const SpectrumHeader& header, const SpectrumHeader& cal,
             uint8_t instrumentType) {
    const RadiometricRegions regions =
        PlanRadiometricRegions(header, instrumentType, static_cast<int>(in.out.size()));
    const double divisor = in.radiance ? RadianceDivisor : 1.0;
    // A region whose factor is undefined keeps what the caller put there;
    // RadiometricProblem tells callers about it beforehand.
    if (!regions.Vnir.Empty() && header.IntegrationTime != 0) {
        const double k =
            static_cast<double>(cal.IntegrationTime) / header.IntegrationTime / divisor;
        ApplyRegion(in, regions.Vnir, k);
    }
    if (!regions.Swir1.Empty() && cal.Swir1Gain != 0 && header.Swir1Gain != 0) {
        ApplyRegion(in, regions.Swir1, GainFactor(cal.Swir1Gain, header.Swir1Gain) / divisor);
    }
    if (!regions.Swir2.Empty() && cal.Swir2Gain != 0 && header.Swir2Gain != 0) {
        ApplyRegion(in, regions.Swir2, GainFactor(cal.Swir2Gain, header.Swir2Gain) / divisor);
    }
}

}  // namespace

RadiometricRegions PlanRadiometricRegions(const SpectrumHeader& Header, uint8_t InstrumentType,
                                          int Channels) {
    RadiometricRegions regions;
    // The last wavelength as the program has always computed it: the channel
    // index made a Single first, the arithmetic in Single.
    const float lastSingle = static_cast<float>(Header.ChannelCount - 1) * Header.WavelengthStep +
                             Header.Channel1Wavelength;
    const double last = lastSingle;
    double e1 = 0;
    double e2 = 0;
    if (!RegionEnds(Header, last, e1, e2)) {
        return regions;
    }
    regions.Defined = true;
    // The passes continue one another over one running wavelength, which may
    // drift from the exact channel wavelengths for a non-integral step. The
    // channel limit also ends a walk whose step never reaches its end.
    double w = Header.Channel1Wavelength;
    int i = 0;
    auto walk = [&](double end) {
        RadiometricRegion region{i, i};
        while (i < Channels && w <= end) {
            ++i;
            w += Header.WavelengthStep;
        }
        region.End = i;
        return region;
    };
    if (InstrumentType != Swir5) {
        regions.Vnir = walk(e1);
    }
    if (!RunsSwirPasses(InstrumentType)) {
        return regions;
    }
    regions.Swir1 = walk(e2);
    regions.Swir2 = walk(last);
    return regions;
}

void CalcRadiance(std::span<double> Out, std::span<const double> Dn,
                  std::span<const double> Response, std::span<const double> Lamp,
                  std::span<const double> Baseline, const SpectrumHeader& Header,
                  const SpectrumHeader& CalHeader, uint8_t InstrumentType) {
    Convert({Out, Dn, Response, Lamp, Baseline, true}, Header, CalHeader, InstrumentType);
}

void CalcIrradiance(std::span<double> Out, std::span<const double> Dn,
                    std::span<const double> Response, std::span<const double> Lamp,
                    const SpectrumHeader& Header, const SpectrumHeader& CalHeader,
                    uint8_t InstrumentType) {
    Convert({Out, Dn, Response, Lamp, {}, false}, Header, CalHeader, InstrumentType);
}

std::string RadiometricProblem(const SpectrumHeader& Header, const SpectrumHeader& CalHeader,
                               uint8_t InstrumentType, const std::string& SpectrumName,
                               const std::string& CalibrationName) {
    const RadiometricRegions regions =
        PlanRadiometricRegions(Header, InstrumentType, Header.ChannelCount);
    if (!regions.Defined) {
        return "the instrument type " + std::to_string(Header.InstrumentType) + " of " +
               SpectrumName + " has no radiometric regions";
    }
    auto zero = [](const char* field, const std::string& name) {
        return std::string("the ") + field + " of " + name + " is 0";
    };
    if (!regions.Vnir.Empty()) {
        if (Header.IntegrationTime == 0)
            return zero("IntegrationTime", SpectrumName);
        if (CalHeader.IntegrationTime == 0)
            return zero("IntegrationTime", CalibrationName);
    }
    if (!regions.Swir1.Empty()) {
        if (Header.Swir1Gain == 0)
            return zero("Swir1Gain", SpectrumName);
        if (CalHeader.Swir1Gain == 0)
            return zero("Swir1Gain", CalibrationName);
    }
    if (!regions.Swir2.Empty()) {
        if (Header.Swir2Gain == 0)
            return zero("Swir2Gain", SpectrumName);
        if (CalHeader.Swir2Gain == 0)
            return zero("Swir2Gain", CalibrationName);
    }
    return "";
}
