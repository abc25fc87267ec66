// Log 1/R of the spectra on the work list at the wavelengths of a
// Bran+Luebbe analyser's calibration, as a multiplicative and an additive
// table, with the predictions of its models.
#pragma once

#include <string>
#include <vector>

#include "io/formats/bran_luebbe.h"

// Reads the coefficient file; true with its 19 rows, false after one message
// saying what is wrong.
bool ReadBLCoefficientFile(const std::string& FileName, std::vector<BLCoefficient>& Coefficients);

// Reads the model file; false, with no models, after one message saying what
// is wrong.
bool ReadBLModelFile(const std::string& FileName, std::vector<BLModel>& Models);

void ExportBranLuebbeFiles();
