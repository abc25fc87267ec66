// The colorimetry of one 1-nm spectrum for both standard observers, and the
// reference tables it weighs the spectrum with. Standard library only: the
// control, its tests, the table builder and the fuzzer share it.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/text/convert.h"

// Every table covers 360 to 830 nm in 1-nm steps; index i is 360 + i nm.
inline constexpr int CieFirstWavelength = 360;
inline constexpr int CieLastWavelength = 830;
inline constexpr int CieTableLength = CieLastWavelength - CieFirstWavelength + 1;
inline constexpr int CieTableBytes = CieTableLength * 4;

// The eight tables in the order they are loaded; each is named after the
// resource that carries it.
enum CieTable : int { CIE_X2, CIE_Y2, CIE_Z2, CIE_X10, CIE_Y10, CIE_Z10, CIE_D65, CIE_A };
inline constexpr int CieTableCount = 8;
inline constexpr std::array<const char*, CieTableCount> CieTableNames = {
    "CIE_X2", "CIE_Y2", "CIE_Z2", "CIE_X10", "CIE_Y10", "CIE_Z10", "CIE_D65", "CIE_A"};

using CieTableValues = std::array<float, CieTableLength>;
using CieTables = std::array<CieTableValues, CieTableCount>;

// Data-type codes of the host's spectrum files that mark a ratio spectrum,
// weighted by an illuminant; every other code is light, used unweighted.
inline constexpr std::int32_t CieReflectanceType = 1;
inline constexpr std::int32_t CieTransmittanceType = 6;

// Illuminant codes; only A and D65 have tables.
inline constexpr std::int32_t CieIllNone = 0;
inline constexpr std::int32_t CieIllA = 1;
inline constexpr std::int32_t CieIllD65 = 4;

// The host's marker for a channel without a value.
inline constexpr double CieNoValue = -9999.0;

// The sixteen single-precision results. During a calculation they are the
// running sums, which is why a failed calculation leaves partial sums here.
struct CieResults {
    float x2bar = 0, y2bar = 0, z2bar = 0;
    float x10bar = 0, y10bar = 0, z10bar = 0;
    float nx2 = 0, ny2 = 0, nx10 = 0, ny10 = 0;
    float u_prime_2 = 0, v_prime_2 = 0, u_prime_10 = 0, v_prime_10 = 0;
    float k2 = 0, k10 = 0;
};

// What a control instance keeps between calls.
struct CieState {
    CieTables Tables{};
    bool TablesLoaded = false;
    CieResults Results;
    std::int32_t IllFile = 0;
};

// The ways a calculation or a table load fails, each with its
// run-time error number, so that a host can tell them apart by number.
enum class CieFault {
    OutOfRange,      // 9: the spectrum misses a wavelength from 360 to 830 nm
    NoValue,         // 5: the spectrum has the no-value marker inside that range
    DivisionByZero,  // 11: a normalising sum is zero
    Overflow,        // 6: any other arithmetic fault, a non-finite value included
    FileNotFound,    // 53: a table file cannot be opened
    TypeMismatch,    // 13: a table file holds an item that is not a number
    TooManyValues,   // 9: a table file holds more than 471 items
};

class CieError : public VbError {
public:
    CieError(CieFault fault, const std::string& text);
    CieFault Fault() const { return fault_; }

private:
    CieFault fault_;
};

// Sets the sixteen results to 0.
void ZeroResults(CieResults& results);

// The calculation over tables already loaded: the results start from zero,
// ill is stored in illFile, and the spectrum's element j is the sample at
// wlStart + j nm. Throws CieError; on failure the results hold whatever the
// running sums had reached.
void CalcColorimetry(const CieTables& tables, CieResults& results, std::int32_t& illFile,
                     std::span<const double> buffer, std::int32_t lType, std::int32_t wlStart,
                     std::int32_t ill);
