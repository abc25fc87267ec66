// The graph's display modes and derivatives, and the decisions the plotting
// takes for one file from its header alone: what to draw, under which y-axis
// title, and how the y exponent follows the largest value. No Qt: these are
// the rules, the drawing is spectrum_plot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "spectrum/records.h"

// PlotFormat.
enum PlotFormatCode : int16_t {
    PlotReference = -1,
    PlotDN = 0,
    PlotReflectance = 1,
    PlotTransmittance = 2,
    PlotLog1R = 3,
    PlotLog1T = 4,
    PlotRadiance = 5,
    PlotIrradiance = 6,
    PlotAbs = 7,
    PlotBse = 8,
    PlotLmp = 9,
    PlotFo = 10,
};

// PlotDeriv.
enum PlotDerivCode : int16_t {
    DerivReference = -1,
    DerivNone = 0,
    DerivFirst = 1,
    DerivSecond = 2,
    DerivAbsolute = 3,
};

// Where the values of a native file (version 2 and later) come from in a mode.
enum class PlotSource {
    Skip,
    ValuesAsRead,
    Reflectance,
    ReflectanceDeriv1,
    ReflectanceDeriv2,
    AbsoluteReflectance,
    Log1R,
    Log1RDeriv1,
    Log1RDeriv2,
    Radiometric,
    CalBufferABS,
    CalBufferBSE,
    CalBufferLMP,
    CalBufferFO,
};

// The source for a native file, from its header, the reference flag of its
// reference record and its version. Transmittance takes the reflectance
// routines and log 1/T the log 1/R ones: only the titles tell them apart.
PlotSource NativePlotSource(int16_t format, int16_t deriv, const SpectrumHeader& header,
                            int16_t referenceFlag, int16_t fileVersion);

// Files the batch operations wrote (version 1) are drawn as they are, and only
// in the mode that matches what they hold.
bool DrawsVersion1File(int16_t format, int16_t deriv, const SpectrumHeader& header);

// The y-axis title of a mode; dataType tells quantum intensity from DN.
std::string YAxisTitle(int16_t format, int16_t deriv, uint8_t dataType);

// How the y axis shows a largest value: between 1E-05 and 1E+04 plainly,
// otherwise with an exponent. Exponent is the integer part of the decimal
// logarithm, and is left unset for a maximum that has no logarithm (0 or
// below), so that the graph keeps the exponent it has.
struct YExponentChoice {
    bool Shown = false;
    std::optional<int16_t> Exponent;
};
YExponentChoice ChooseYExponent(double maximum);
