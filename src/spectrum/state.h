// The loaded spectrum: process-wide module state that every read replaces and
// every operation works on. One operation runs at a time.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "spectrum/records.h"

extern SpectrumHeader CurrentHeader;
extern SpectrumHeader OutputHeader;  // header of the NEDL and statistics outputs
extern ReferenceHeader ReferenceRecord;
extern ExtensionHeader CurrentExtensionHeader;
extern ExtensionArrays CurrentExtensionArrays;
extern uint8_t CalibrationCount;
extern std::vector<CalibrationHeader> CalibrationHeaders;
extern std::vector<double> CalBufferABS;
extern std::vector<double> CalBufferBSE;
extern std::vector<double> CalBufferLMP;
extern std::vector<double> CalBufferFO;

extern std::vector<double> SpectrumData;
extern std::vector<double> ReferenceData;
extern std::vector<double> ReflectanceData;
extern std::vector<double> DisplayData;
extern std::vector<double> AbsoluteReflectanceData;
extern std::vector<double> FirstDerivData;
extern std::vector<double> SecondDerivData;
extern std::vector<double> Log1RData;

extern int16_t FileVersion;
extern bool HasEmbeddedReference;
extern std::string AbsoluteReferenceName;
// The graph window's display mode and derivative; 0 and 0 show the raw values.
extern int16_t PlotFormat;
extern int16_t PlotDeriv;

// The name of the file read last, for messages about what was loaded from it.
extern std::string CurrentFileName;

// Back to the state of a freshly started program (for tests).
void ResetSpectrumState();

// The instrument's detectors.
bool HasVnirDetector(uint8_t instrumentType);
bool HasSwirDetector(uint8_t instrumentType);
