// Parabolic correction files: the joins of radiance and irradiance spectra
// bent onto the SWIR1 segment at vertices the user enters.
#pragma once

// For each radiance or irradiance file of instrument type 4 in the work list:
// asks for the VNIR and SWIR2 vertex wavelengths (once for all files when the
// user says they are the same), bends both joins, shows what changed at each
// splice until the user turns that off, and writes the result with ".pco"
// appended to the input's name, marked corrected. Files already marked are
// refused with a message; other data or instrument types are passed over.
// Cancel in a vertex box or at a zero-at-join question ends the run; "No" at
// the overwrite prompt skips the file.
void ParabolicCorrectFiles();
