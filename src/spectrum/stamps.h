// The header adjustments every writer of a derived file applies. These are the
// only places the rules live; writers never set the fields themselves.
#pragma once

#include <cstdint>

#include "spectrum/records.h"

// Stamps a version-1 file: signature "ZEL", Single values, format 1.0. The
// program only ever writes version 1 this way; Version is kept for callers.
void SetFileSignature(int16_t Version, SpectrumHeader& Header);

// No application; the second half of the application data zeroed. The first
// half may name an absolute-reference file and stays.
void ClearApplicationData(SpectrumHeader& Header);

void MakeRadianceHeader(SpectrumHeader& Dest, const SpectrumHeader& Source);
void MakeIrradianceHeader(SpectrumHeader& Dest, const SpectrumHeader& Source);
void MakeInterpolatedHeader(SpectrumHeader& Dest, const SpectrumHeader& Source, double Start,
                            double Stepsize, int16_t Channels);
void MakeQiHeader(SpectrumHeader& Dest, const SpectrumHeader& Source, int16_t Channels);
