// Radiance and irradiance files from the spectra of the work list.
#pragma once

// For each file of the work list: its radiance (ForeopticCode below 180,
// ".rad" appended to its name) or irradiance (".irr"), as a version-1 file of
// data type 2 or 4. Radiance and irradiance files of version 7 and later are
// converted with the calibration they carry, those of earlier versions are
// passed over; every other file is converted with the calibration files of its
// instrument. "No" at the overwrite prompt skips the file; a missing
// calibration asks whether to skip the file or end the run.
void CreateRadiometricFiles();
