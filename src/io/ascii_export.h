// The two ASCII writers: a text file per spectrum of the work list, or one
// table of all of them in a file the user names. Both take the values through
// FillExportTable and their text from the layout of the export dialog.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "frame/batch_pattern.h"
#include "io/formats/ascii_table.h"

// ExportDataFormat: 0 DN, 1 Reflectance, 2 Transmittance, 3 Log 1/R, 4 Log
// 1/T, 5 Radiance/Irradiance. Derivative: 0 none, 1 first, 2 second.
// Correction (-1 or 0): absolute reflectance with Reflectance, the parabolic
// correction with Radiance/Irradiance, nothing otherwise.

// Fills Values with the chosen values of the spectrum just read, one per
// channel; Path names it in messages. Continue: Values holds this spectrum's
// values. Skip: a transform could not form them and has told the user; the
// file is left out. EndRun: no absolute reference ("Problem loading ...", shown here)
// or no radiometric calibration (shown by the converter).
BatchStep FillExportTable(int16_t DataFormat, int16_t Derivative, int16_t Correction,
                          const std::string& Path, std::vector<double>& Values);

// Each spectrum of the work list to "<name>.txt" in the output folder; the
// work list is cleared after a complete run.
void ExportAsciiFiles(const AsciiLayout& Layout, int16_t DataFormat, int16_t Derivative,
                      int16_t Correction);

// All spectra of the work list with as many values as the first one into one
// file chosen in the main window's open dialog; written once all are read.
void ExportAsciiSingleFile(const AsciiLayout& Layout, int16_t DataFormat, int16_t Derivative,
                           int16_t Correction);
