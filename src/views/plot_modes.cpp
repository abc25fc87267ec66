#include "views/plot_modes.h"

#include <cmath>

namespace {

PlotSource ReflectanceSource(int16_t format, int16_t deriv, const SpectrumHeader& header) {
    switch (deriv) {
        case DerivNone:
            return PlotSource::Reflectance;
        case DerivFirst:
            return PlotSource::ReflectanceDeriv1;
        case DerivSecond:
            return PlotSource::ReflectanceDeriv2;
        case DerivAbsolute:
            if (format == PlotReflectance) {
                return header.ApplicationCode == AppAbsoluteReflectance
                           ? PlotSource::AbsoluteReflectance
                           : PlotSource::Skip;
            }
            return PlotSource::ValuesAsRead;
        default:
            return PlotSource::ValuesAsRead;
    }
}

PlotSource Log1RSource(int16_t deriv) {
    switch (deriv) {
        case DerivNone:
            return PlotSource::Log1R;
        case DerivFirst:
            return PlotSource::Log1RDeriv1;
        case DerivSecond:
            return PlotSource::Log1RDeriv2;
        default:
            return PlotSource::ValuesAsRead;
    }
}

bool CalibratedRaw(const SpectrumHeader& header, int16_t fileVersion) {
    return (header.DataType == Radiance || header.DataType == Irradiance) && fileVersion >= 7;
}

}  // namespace

PlotSource NativePlotSource(int16_t format, int16_t deriv, const SpectrumHeader& header,
                            int16_t referenceFlag, int16_t fileVersion) {
    switch (format) {
        case PlotReflectance:
        case PlotTransmittance:
            return referenceFlag != 0 ? ReflectanceSource(format, deriv, header) : PlotSource::Skip;
        case PlotLog1R:
        case PlotLog1T:
            return referenceFlag != 0 ? Log1RSource(deriv) : PlotSource::Skip;
        case PlotRadiance:
            return header.DataType == Radiance && header.ForeopticCode < ForeopticCosineReceptor
                       ? PlotSource::Radiometric
                       : PlotSource::Skip;
        case PlotIrradiance:
            return header.DataType == Irradiance && header.ForeopticCode >= ForeopticCosineReceptor
                       ? PlotSource::Radiometric
                       : PlotSource::Skip;
        case PlotAbs:
            return header.DataType == Reflectance &&
                           header.ApplicationCode == AppAbsoluteReflectance && fileVersion >= 7
                       ? PlotSource::CalBufferABS
                       : PlotSource::Skip;
        case PlotBse:
            return CalibratedRaw(header, fileVersion) ? PlotSource::CalBufferBSE : PlotSource::Skip;
        case PlotLmp:
            return CalibratedRaw(header, fileVersion) ? PlotSource::CalBufferLMP : PlotSource::Skip;
        case PlotFo:
            return CalibratedRaw(header, fileVersion) ? PlotSource::CalBufferFO : PlotSource::Skip;
        default:
            return PlotSource::ValuesAsRead;
    }
}

bool DrawsVersion1File(int16_t format, int16_t deriv, const SpectrumHeader& header) {
    const uint8_t type = header.DataType;
    const bool absolute = header.ApplicationCode == AppAbsoluteReflectance;
    switch (format) {
        case PlotDN:
            return type == Raw || type == QuantumIntensity || type == Arithmetic;
        case PlotReflectance:
        case PlotTransmittance:
            return (type == Reflectance || type == Transmittance) &&
                   ((deriv == DerivNone && !absolute) || (deriv == DerivAbsolute && absolute));
        case PlotLog1R:
        case PlotLog1T:
            return type == Absorbance && deriv == DerivNone;
        case PlotRadiance:
            return type == Radiance;
        case PlotIrradiance:
            return type == Irradiance;
        default:
            return false;
    }
}

std::string YAxisTitle(int16_t format, int16_t deriv, uint8_t dataType) {
    // The first and second derivatives name themselves; any other derivative
    // keeps the mode's plain title.
    auto derived = [deriv](const char* base) {
        switch (deriv) {
            case DerivFirst:
                return std::string("1st Deriv. ") + base;
            case DerivSecond:
                return std::string("2nd Deriv. ") + base;
            default:
                return std::string(base);
        }
    };
    switch (format) {
        case PlotDN:
            return dataType == QuantumIntensity ? "Quantum Intensity" : "DN";
        case PlotReflectance:
            return deriv == DerivAbsolute ? "Absolute Reflectance" : derived("Reflectance");
        case PlotTransmittance:
            return derived("Transmittance");
        case PlotLog1R:
            return derived("LOG 1/R");
        case PlotLog1T:
            return derived("LOG 1/T");
        case PlotRadiance:
            return "Radiance";
        case PlotIrradiance:
            return "Irradiance";
        case PlotAbs:
            return "ABS";
        case PlotBse:
            return "BSE";
        case PlotLmp:
            return "LMP";
        case PlotFo:
            return "FO";
        default:
            return "DN";
    }
}

YExponentChoice ChooseYExponent(double maximum) {
    YExponentChoice choice;
    if (maximum >= 1e-5 && maximum <= 1e4) {
        return choice;
    }
    choice.Shown = true;
    if (maximum > 0 && std::isfinite(maximum)) {
        // The integer part toward zero of ln/ln 10, as the axis has always
        // shown it: 1,000,000 gives 5, its logarithm falling just short of 6.
        choice.Exponent = static_cast<int16_t>(std::trunc(std::log(maximum) / std::log(10.0)));
    }
    return choice;
}
