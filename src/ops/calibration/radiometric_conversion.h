// Radiance or irradiance of the loaded spectrum, for the views, exports and
// statistics that show radiometric values. The batch that writes radiometric
// files is radiometric_batch.h.
#pragma once

#include <string>
#include <vector>

#include "ops/calibration/calibration_files.h"

// Converts the spectrum ReadSpectrumFile loaded last (CurrentHeader,
// SpectrumData and, for version 7 and later, its calibration section) into
// DisplayData: radiance when its ForeopticCode is below 180, irradiance from
// 180 on. Writes no file.
//
//   FileName          names the spectrum in messages; nothing is read from it.
//   ParabolicCorrect  true: the joins of the converted values are bent with the
//                     fixed vertices (ParabolicCorrectSpectrum) before they
//                     are kept; a spectrum it cannot bend is kept as converted.
//
// The calibration: a file of version 7 or later uses the calibration it
// carries, whatever its DataType; earlier versions use the lamp, baseline and
// instrument-response files of its instrument and calibration numbers, found
// in the current folder. The caller decides whether the spectrum should be
// converted at all: DataType is not consulted.
//
// True: DisplayData holds ChannelCount values. False: a message has told the
// user why (a calibration file missing or unreadable, an embedded calibration
// that is incomplete, a conversion that is undefined for the spectrum), the
// main window's progress bar is at 0, and DisplayData is as it was.
bool ConvertToRadiometric(const std::string& FileName, bool ParabolicCorrect = false);

// True when the loaded spectrum converts to radiance rather than irradiance.
bool ConvertsToRadiance();

// The radiometric values of the loaded spectrum with a calibration that is
// Ready: ChannelCount values, radiance or irradiance as ConvertsToRadiance.
std::vector<double> ApplyRadiometricCalibration(const CalibrationSet& Set);
