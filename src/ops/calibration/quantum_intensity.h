// Quantum-intensity files: irradiance spectra weighted with their wavelengths.
#pragma once

// For each file of the work list: an irradiance spectrum of any version,
// weighted with its own values, written as a version-1 quantum-intensity file
// with ".qic" appended to the input's name. Any other kind of file asks
// whether to skip it or end the run.
void CreateQuantumIntensityFiles();
