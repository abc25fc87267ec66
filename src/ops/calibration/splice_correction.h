// Splice correction files: the steps at the two detector joins of reflectance
// and transmittance spectra removed by scaling.
#pragma once

// For each file of the work list: its reflectance (or transmittance) with the
// VNIR and SWIR2 segments scaled onto the SWIR1 segment over SpliceGap
// channels on each side of each join, written with ".sco" appended to its name
// and marked corrected. Files already marked are refused with a message;
// instruments without splices are asked about ("Skip this File?", Cancel ends
// the run). "No" at the overwrite prompt skips the file.
void SpliceCorrectFiles();
