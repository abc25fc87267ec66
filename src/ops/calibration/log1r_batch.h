// Log 1/R files: the absorbance of reflectance or transmittance spectra.
#pragma once

// For each file of the work list: raw spectra with a usable white reference
// (their reflectance first) and version-1 reflectance or transmittance files,
// written as log10(1/R) in a version-1 absorbance file with ".abs" appended to
// the input's name.
void CreateLog1RFiles();
