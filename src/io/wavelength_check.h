// The text exports' refusal of a spectrum whose wavelengths cannot be written.
#pragma once

#include <string>

// True when the wavelength axis of the spectrum read last (CurrentHeader, with
// as many channels as SpectrumData holds) can be written as text; otherwise
// the user is told that inputPath is skipped, and false.
bool CheckWavelengths(const std::string& inputPath);
