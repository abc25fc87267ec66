// Absolute reflectance: the reflectance of a spectrum against its white panel,
// multiplied channel by channel by the panel's own calibrated reflectance,
// which a version-7 file carries itself or an absolute-reference file named
// after the instrument and calibration numbers supplies.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Forms AbsoluteReflectanceData (and the same values in DisplayData) for the
// spectrum ReadSpectrumFile loaded last, and decides AbsoluteReferenceName.
// Returns the upper index of AbsoluteReflectanceData, or -1 when no absolute
// reflectance can be formed: no usable reference (or, in version 1, not stored
// as reflectance), an absolute-reflectance file below version 7 (calibrated
// already), a version-7 file of that kind without an absolute calibration
// buffer for every channel, or a reference file that is missing under both
// names, unreadable or shorter than the spectrum. AbsoluteReflectanceData is
// empty after a failure; FileVersion stays the loaded spectrum's.
int16_t ComputeAbsoluteReflectance();

// Reads an absolute-reference file (looked up as given, a bare name in the
// current folder) into Values, one factor per channel. Returns the upper index
// of Values, or -1: silently for a missing file, otherwise after a message
// naming the file, with the main window's progress bar set to 0.
int16_t ReadAbsoluteReferenceFile(const std::string& FileName, std::vector<double>& Values);

// For each file of the work list: its absolute reflectance as a version-1
// reflectance file with ".ref" appended to its name, application code 6 and the
// reference's name in the header.
void CreateAbsoluteReflectanceFiles();
