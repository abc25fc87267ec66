// Splice correction: the steps where the three detectors of an instrument meet
// are removed by scaling the VNIR segment and the SWIR2 segment onto the SWIR1
// segment, which stays as it is. The scale factors are ratios of the means of
// Gap channels on each side of each join.
//
// Segment starts, whole nanometres rounded half to even:
//   S0 = Channel1Wavelength, S1 = Splice1Wavelength + 1, S2 = Splice2Wavelength + 1
// and the channel of a wavelength w is ch(w) = w - Channel1Wavelength (as a
// Single) rounded half to even: the grid is taken as 1 nm per channel, as the
// instruments with splices record. For each join k:
//   Bk = sum(ch(Sk - Gap) .. ch(Sk - 1)) / Gap    (below)
//   Ak = sum(ch(Sk) .. ch(Sk + Gap - 1)) / Gap    (above)
// where a channel outside the spectrum adds nothing and the divisor stays Gap.
// Then channels ch(S0) .. ch(S1 - 1) are multiplied by A1 / B1 unless A1 is 0,
// and channels ch(S2) .. the last by B2 / A2 unless A2 is 0; a segment whose
// factor would be 0 stays unscaled. Only channels of the spectrum are ever
// read or scaled, wherever the splices lie. All four means are taken before
// anything is scaled.
#pragma once

#include <cstdint>
#include <span>

// The instrument types whose spectra have the two splices: 4 and 7.
bool IsSpliceInstrument(uint8_t InstrumentType);

enum class SpliceOutcome {
    Corrected,
    // B1 is 0: there is nothing to scale the VNIR segment by.
    NoSignalBeforeFirstSplice,
    // A segment start that is no 16-bit number (the splice is far off any
    // spectrum, or not a number at all): nothing is scaled.
    FirstSpliceOutside,
    SecondSpliceOutside,
};

struct SpliceCorrection {
    SpliceOutcome Outcome = SpliceOutcome::Corrected;
    int32_t S0 = 0, S1 = 0, S2 = 0;
    double B1 = 0, A1 = 0, B2 = 0, A2 = 0;
    bool VnirScaled = false;
    bool Swir2Scaled = false;
};

// Corrects Values (one element per channel) in place. Values is changed only
// when the outcome is Corrected. Gap must be at least 1.
SpliceCorrection SpliceCorrectSpectrum(std::span<double> Values, float Channel1Wavelength,
                                       float Splice1Wavelength, float Splice2Wavelength,
                                       int32_t Gap);
