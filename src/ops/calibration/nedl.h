// The noise-equivalent delta radiance (NEDL) of an instrument from at least 30
// repeated spectra.
#pragma once

// Reads the work list, takes the per-channel standard deviation of every file
// of the first readable file's data type and channel count, writes it scaled
// to "StdTemp.000" in the output folder, calibrates it to radiance with the
// instrument's calibration files and writes that to a ".ned" file the user
// names. Fewer than 30 accepted files write nothing. Restores the mouse
// pointer itself.
void CreateNedlFile();
