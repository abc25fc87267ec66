// Parabolic correction of the detector joins of a radiance or irradiance
// spectrum: the end of the VNIR segment and the start of the SWIR2 segment are
// bent onto the SWIR1 segment, which stays as it is. Each bend multiplies the
// channels between a vertex v and the join by 1 + k (w - v)^2, where w is the
// channel's wavelength, so the factor is 1 at the vertex and k is chosen to make
// the join meet the mean of three channels on the SWIR1 side.
//
// The channel grid is taken as 1 nm per channel from the first wavelength: the
// instruments with splices record that way, and stored corrected files have
// always been computed on it.
//
// Nothing here shows anything: the batch turns the outcomes into its messages.
// No index outside the spectrum is ever read or written; a bend that would need
// one is refused before anything changes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "spectrum/records.h"

// The detectors a spectrum covers, as a bit set.
enum DetectorSetBits : int32_t { DetVnir = 1, DetSwir1 = 4, DetSwir2 = 8 };

// The detector set of a spectrum from its first and last wavelength in nm, by
// the fixed table of the instruments: 0, 1, 4, 5, 8, 12 or 13.
int32_t GetDetectorSet(int32_t StartNm, int32_t EndNm);

// The mean of Values[Start] .. Values[Start + Count - 1]. Throws
// std::out_of_range when any of them lies outside Values or Count is below 1;
// callers check the window first.
double MeanOfRange(std::span<const double> Values, int32_t Start, int32_t Count);

// The fixed vertices of the one-spectrum correction.
inline constexpr int32_t FixedVnirVertex = 675;
inline constexpr int32_t FixedSwir2Vertex = 1975;

// Corrects one spectrum in place with the fixed vertices 675 nm and 1975 nm.
// Header supplies Channel1Wavelength, ChannelCount and the two splices; Values
// holds one element per channel. Which joins are bent follows the detector set
// of the range Channel1Wavelength .. ChannelCount + Channel1Wavelength - 1:
//   5 (VNIR, SWIR1)          the VNIR join only
//   13 (all three)           both joins
//   12 (SWIR1, SWIR2)        the SWIR2 join only: there is no VNIR segment to
//                            bend, but the SWIR1/SWIR2 join is as real as in 13
//   0, 1, 4, 8               nothing
// A join value of 0 is taken as 1.0 in the divisor; a join that lies at or
// before its vertex bends nothing. Returns the upper index of Values when the
// set is 13 and both bends could be made, otherwise -1 (also after the VNIR
// bend of set 5 and the SWIR2 bend of set 12). A splice or vertex outside the
// spectrum returns -1 with Values unchanged.
int32_t ParabolicCorrectSpectrum(std::span<double> Values, const SpectrumHeader& Header);

// The batch's bends, at vertices the user chose.
//
// VNIR: j = Splice1Wavelength - Channel1Wavelength truncated; the divisor is
// Values[j]; the channels from the vertex (index vertex - first, rounded half
// to even) are multiplied while their wavelength, as a Single, is at most the
// splice. The readout compares the last channel multiplied with its value
// before, taken at the splice's index rounded half to even.
//
// SWIR2: j2 = Splice2Wavelength - Channel1Wavelength truncated; the SWIR2-side
// mean of j2 + 1 .. j2 + 3 is the divisor and the SWIR1-side mean of j2 - 2 ..
// j2 is the target; the channels from the splice + 1 nm on are multiplied
// while their wavelength is at most the vertex, the first always. The readout
// compares the first SWIR2 channel, the one at the splice, with its value
// before, as the VNIR readout does at its join.
struct ParabolicBend {
    bool Inside = false;      // every index the bend reads or writes is in the spectrum
    int32_t Join = 0;         // j or j2
    int32_t First = 0;        // the first channel multiplied
    int32_t Steps = 0;        // how many channels are multiplied
    int32_t Readout = 0;      // the channel the readout looks at
    int32_t BeforeIndex = 0;  // where the readout's value before is taken
    double Vertex = 0;
    double Splice = 0;
    double FirstWavelength = 0;  // the wavelength of channel First
    bool Vnir = true;
};

// Whether the fixed windows around a join (the three channels on each side
// that the bends read) lie inside a spectrum of Channels values. Vertices are
// checked by the plans below.
bool VnirJoinInside(std::size_t Channels, float Channel1Wavelength, float Splice1Wavelength);
bool Swir2JoinInside(std::size_t Channels, float Channel1Wavelength, float Splice2Wavelength);

ParabolicBend PlanVnirBend(std::size_t Channels, float Channel1Wavelength, float Splice1Wavelength,
                           double Vertex);
ParabolicBend PlanSwir2Bend(std::size_t Channels, float Channel1Wavelength, float Splice2Wavelength,
                            double Vertex);

enum class BendOutcome { Bent, ZeroAtJoin, OutsideSpectrum };

struct BendResult {
    BendOutcome Outcome = BendOutcome::OutsideSpectrum;
    double Before = 0;  // B1 or B2
    double After = 0;   // the readout channel after the bend
};

// Applies a plan. ZeroAtJoin, with Values unchanged, when the VNIR join value
// or, for SWIR2, the SWIR1 value at the join or the SWIR2-side mean is 0: the
// bend would divide by it.
BendResult ApplyParabolicBend(std::span<double> Values, const ParabolicBend& Plan);

// The number the readout shows: (After - Before) / (Before x 100). A value of
// 0 before the bend stays 0 whatever the factor, so its change is 0.
double ParabolicReadout(const BendResult& Result);
