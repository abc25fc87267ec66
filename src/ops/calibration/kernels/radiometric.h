// The radiometric kernels: raw counts (DN) to radiance or irradiance with the
// lamp, baseline and instrument-response spectra of one calibration.
//
// The spectrum runs through up to three detector regions in channel order, each
// with its own factor k:
//   VNIR  up to E1, k = CalHeader.IntegrationTime / Header.IntegrationTime
//   SWIR1 up to E2, k = (2048 / CalHeader.Swir1Gain) / (2048 / Header.Swir1Gain)
//   SWIR2 up to L,  k = (2048 / CalHeader.Swir2Gain) / (2048 / Header.Swir2Gain)
// where L is the last channel's wavelength and E1, E2 come from
// Header.InstrumentType: L and L for types 0, 1, 2, 3 and 10; the two splice
// wavelengths for 4 and 7; the first wavelength and the second splice for 5 (no
// VNIR channel). A channel that lies exactly on a region's end belongs to the
// earlier region. Radiance divides k by 3.14159 (this literal, not pi) and
// multiplies by the baseline; irradiance uses neither.
//   Out(i) = 0 when Response(i) = 0, else (Dn(i) / Response(i)) x Lamp(i) x k
//            [x Baseline(i) for radiance]
//
// Which passes run is decided by InstrumentType, an argument of its own rather
// than Header's field: the single-spectrum conversion and the radiometric batch
// pass Header.InstrumentType of the spectrum itself, and NEDL passes the
// header of its standard-deviation spectrum as Header with that header's type
// (a derived header relabels 0 and 1 as 3, which runs the same passes), not
// the type of the file it happened to read last.
// The VNIR pass is skipped for type 5; the SWIR passes run only for 4, 5 and 7.
//
// Callers: Out is dimensioned 0 .. Header.ChannelCount - 1 and zero-filled by
// the caller. A channel for which any array has no element is not written.
// Dn is the spectrum (for NEDL the scaled standard deviation). CalHeader needs
// only IntegrationTime, Swir1Gain and Swir2Gain: the instrument-response file's
// header, or a working record filled from an embedded calibration. The kernels
// keep no state, show nothing and write only Out; check the conversion with
// RadiometricProblem first, since a zero time or gain makes a factor undefined.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "spectrum/records.h"

void CalcRadiance(std::span<double> Out, std::span<const double> Dn,
                  std::span<const double> Response, std::span<const double> Lamp,
                  std::span<const double> Baseline, const SpectrumHeader& Header,
                  const SpectrumHeader& CalHeader, uint8_t InstrumentType);

void CalcIrradiance(std::span<double> Out, std::span<const double> Dn,
                    std::span<const double> Response, std::span<const double> Lamp,
                    const SpectrumHeader& Header, const SpectrumHeader& CalHeader,
                    uint8_t InstrumentType);

// The channels [First, End) that a region covers for a spectrum of Channels
// channels; empty when the pass does not run or reaches no channel.
struct RadiometricRegion {
    int First = 0;
    int End = 0;
    bool Empty() const { return End <= First; }
};
struct RadiometricRegions {
    bool Defined = false;  // Header.InstrumentType has regions at all
    RadiometricRegion Vnir, Swir1, Swir2;
};
RadiometricRegions PlanRadiometricRegions(const SpectrumHeader& Header, uint8_t InstrumentType,
                                          int Channels);

// Why the conversion of a spectrum cannot be computed, or the empty text when
// it can: an instrument type without radiometric regions, or a zero integration
// time or gain (in Header or CalHeader) that a region covering at least one
// channel would divide by. SpectrumName and CalibrationName name the records in
// the text ("the Swir1Gain of <name> is 0").
std::string RadiometricProblem(const SpectrumHeader& Header, const SpectrumHeader& CalHeader,
                               uint8_t InstrumentType, const std::string& SpectrumName,
                               const std::string& CalibrationName);
