#include "cie/colorimetry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "built_tables.h"
#include "platform/text/number.h"

namespace {

// The text a value label shows (with "." as the separator).
std::string Shown(float value) {
    return Format(value, "##0.0000");
}

struct Run {
    CieResults r;
    std::int32_t illFile = -1;
};

Run Calc(const std::vector<double>& buffer, std::int32_t lType, std::int32_t wlStart,
         std::int32_t ill) {
    Run run;
    CalcColorimetry(BuiltTables(), run.r, run.illFile, buffer, lType, wlStart, ill);
    return run;
}

std::vector<double> Flat(double value, std::size_t count = CieTableLength) {
    return std::vector<double>(count, value);
}

CieFault FaultOf(const std::vector<double>& buffer, std::int32_t lType, std::int32_t wlStart,
                 std::int32_t ill, std::string* text = nullptr, int* number = nullptr) {
    try {
        Calc(buffer, lType, wlStart, ill);
    } catch (const CieError& e) {
        if (text != nullptr) {
            *text = e.what();
        }
        if (number != nullptr) {
            *number = e.Number();
        }
        return e.Fault();
    }
    ADD_FAILURE() << "no error";
    return CieFault::Overflow;
}

TEST(BuiltTables, AreTheOneNanometreTablesAsLittleEndianSingles) {
    for (const char* name : CieTableNames) {
        EXPECT_EQ(BuiltTableBytes(name).size(), 1884u) << name;
    }
    const auto x2 = BuiltTableBytes("CIE_X2");
    EXPECT_EQ(std::vector<unsigned char>(x2.begin(), x2.begin() + 4),
              (std::vector<unsigned char>{0xc4, 0x35, 0x08, 0x39}));
    const auto y2 = BuiltTableBytes("CIE_Y2");
    EXPECT_EQ(std::vector<unsigned char>(y2.begin() + 780, y2.begin() + 784),
              (std::vector<unsigned char>{0x00, 0x00, 0x80, 0x3f}));
    const auto d65 = BuiltTableBytes("CIE_D65");
    EXPECT_EQ(std::vector<unsigned char>(d65.end() - 4, d65.end()),
              (std::vector<unsigned char>{0x00, 0x40, 0x71, 0x42}));
    const auto a = BuiltTableBytes("CIE_A");
    EXPECT_EQ(std::vector<unsigned char>(a.end() - 4, a.end()),
              (std::vector<unsigned char>{0x0e, 0xcd, 0x82, 0x43}));

    const CieTables& t = BuiltTables();
    EXPECT_EQ(t[CIE_X10][0], 1.222e-7f);
    EXPECT_EQ(t[CIE_D65][0], 46.6383f);
    EXPECT_EQ(t[CIE_A][0], 6.14462f);
    // The observers are not swapped or shifted: 10 degree z is 0 at 830 nm,
    // 2 degree y peaks at 555 nm.
    EXPECT_EQ(t[CIE_Z10][470], 0.0f);
    EXPECT_EQ(t[CIE_Y2][195], 1.0f);
    EXPECT_NE(t[CIE_X2][100], t[CIE_X10][100]);
}

TEST(CalcColorimetry, PerfectReflectorUnderD65AndA) {
    const auto d65 = Calc(Flat(1), 1, 360, CieIllD65);
    const CieResults& r = d65.r;
    EXPECT_EQ(Shown(r.x2bar), "95.0471");
    EXPECT_EQ(Shown(r.y2bar), "100.0000");
    EXPECT_EQ(Shown(r.z2bar), "108.8828");
    EXPECT_EQ(Shown(r.nx2), "0.3127");
    EXPECT_EQ(Shown(r.ny2), "0.3290");
    EXPECT_EQ(Shown(r.u_prime_2), "0.1978");
    EXPECT_EQ(Shown(r.v_prime_2), "0.4683");
    EXPECT_EQ(Shown(r.x10bar), "94.8111");
    EXPECT_EQ(Shown(r.y10bar), "100.0000");
    EXPECT_EQ(Shown(r.z10bar), "107.3047");
    EXPECT_EQ(Shown(r.nx10), "0.3138");
    EXPECT_EQ(Shown(r.ny10), "0.3310");
    EXPECT_EQ(Shown(r.u_prime_10), "0.1979");
    EXPECT_EQ(Shown(r.v_prime_10), "0.4696");
    EXPECT_EQ(d65.illFile, CieIllD65);
    EXPECT_NE(r.k2, 0);
    EXPECT_NE(r.k2, r.k10);

    const CieResults a = Calc(Flat(1), 6, 360, CieIllA).r;
    EXPECT_EQ(Shown(a.x2bar), "109.8504");
    EXPECT_EQ(Shown(a.z2bar), "35.5849");
    EXPECT_EQ(Shown(a.nx2), "0.4476");
    EXPECT_EQ(Shown(a.ny2), "0.4074");
    EXPECT_EQ(Shown(a.x10bar), "111.1441");
    EXPECT_EQ(Shown(a.z10bar), "35.2000");
    EXPECT_EQ(Shown(a.nx10), "0.4512");
    EXPECT_EQ(Shown(a.ny10), "0.4059");
}

TEST(CalcColorimetry, HalfReflectanceHalvesTristimulusAndKeepsChromaticity) {
    const CieResults one = Calc(Flat(1), 1, 360, CieIllD65).r;
    const CieResults half = Calc(Flat(0.5), 1, 360, CieIllD65).r;
    EXPECT_EQ(Shown(half.x2bar), "47.5235");
    EXPECT_EQ(Shown(half.y2bar), "50.0000");
    EXPECT_EQ(Shown(half.z2bar), "54.4414");
    EXPECT_EQ(Shown(half.nx2), Shown(one.nx2));
    EXPECT_EQ(Shown(half.ny10), Shown(one.ny10));
}

TEST(CalcColorimetry, UsesOnlyTheSamplesFrom360To830) {
    std::vector<double> longer(481, 1e6);
    for (int i = 0; i < CieTableLength; ++i) {
        longer[static_cast<std::size_t>(i + 10)] = 0.2 + i / 1000.0;
    }
    std::vector<double> exact(longer.begin() + 10, longer.begin() + 10 + CieTableLength);
    const CieResults a = Calc(longer, 1, 350, CieIllD65).r;
    const CieResults b = Calc(exact, 1, 360, CieIllD65).r;
    EXPECT_EQ(a.x2bar, b.x2bar);
    EXPECT_EQ(a.z10bar, b.z10bar);
    EXPECT_EQ(a.v_prime_10, b.v_prime_10);
}

TEST(CalcColorimetry, LightIsUnweightedAndStoresTheIlluminantAnyway) {
    const auto run = Calc(Flat(1000, 2151), 0, 350, 3);
    const CieResults& r = run.r;
    EXPECT_EQ(Shown(r.x2bar), "100.0080");
    EXPECT_EQ(Shown(r.y2bar), "100.0000");
    EXPECT_EQ(Shown(r.z2bar), "100.0331");
    EXPECT_EQ(Shown(r.nx2), "0.3333");
    EXPECT_EQ(Shown(r.ny2), "0.3333");
    EXPECT_EQ(Shown(r.u_prime_2), "0.2105");
    EXPECT_EQ(Shown(r.v_prime_2), "0.4737");
    EXPECT_EQ(Shown(r.x10bar), "99.9886");
    EXPECT_EQ(Shown(r.y10bar), "100.0000");
    EXPECT_EQ(Shown(r.z10bar), "100.0104");
    EXPECT_EQ(run.illFile, 3);
    // The illuminant does not weigh a light spectrum.
    const CieResults underA = Calc(Flat(1000, 2151), 2, 350, CieIllA).r;
    EXPECT_EQ(underA.x2bar, r.x2bar);
}

TEST(CalcColorimetry, ASecondCalculationStartsFromZero) {
    CieResults r;
    std::int32_t ill = 0;
    CalcColorimetry(BuiltTables(), r, ill, Flat(1), 1, 360, CieIllD65);
    CalcColorimetry(BuiltTables(), r, ill, Flat(1), 1, 360, CieIllD65);
    EXPECT_EQ(Shown(r.x2bar), "95.0471");
    EXPECT_EQ(Shown(r.y10bar), "100.0000");
}

TEST(CalcColorimetry, SpectrumMissingAWavelengthIsOutOfRange) {
    std::string text;
    int number = 0;
    EXPECT_EQ(FaultOf(Flat(1, 600), 1, 361, CieIllD65, &text, &number), CieFault::OutOfRange);
    EXPECT_EQ(number, 9);
    EXPECT_EQ(text, "the spectrum does not cover every wavelength from 360 to 830 nm");
    EXPECT_EQ(FaultOf(Flat(1, 470), 1, 360, CieIllD65), CieFault::OutOfRange);
    EXPECT_EQ(FaultOf({}, 2, 360, CieIllD65), CieFault::OutOfRange);
    // A start so far below that the distance does not fit 32 bits.
    EXPECT_EQ(FaultOf(Flat(1), 2, std::numeric_limits<std::int32_t>::min(), 0),
              CieFault::OutOfRange);
}

TEST(CalcColorimetry, ZeroNormalisingSumIsDivisionByZero) {
    int number = 0;
    std::string text;
    for (std::int32_t ill : {0, 2, 3, 7}) {
        EXPECT_EQ(FaultOf(Flat(1), 1, 360, ill, &text, &number), CieFault::DivisionByZero) << ill;
    }
    EXPECT_EQ(number, 11);
    EXPECT_EQ(text, "the normalising sum is zero");
    EXPECT_EQ(FaultOf(Flat(0), 2, 360, CieIllD65), CieFault::DivisionByZero);
}

TEST(CalcColorimetry, ArithmeticFaultsAreOverflowNeverAResult) {
    int number = 0;
    std::string text;
    // Black reflectance: X + Y + Z is 0, so x and y are 0/0.
    EXPECT_EQ(FaultOf(Flat(0), 1, 360, CieIllD65, &text, &number), CieFault::Overflow);
    EXPECT_EQ(number, 6);
    EXPECT_EQ(text, "the arithmetic overflowed");
    auto nan = Flat(1);
    nan[200] = std::nan("");
    EXPECT_EQ(FaultOf(nan, 1, 360, CieIllD65), CieFault::Overflow);
    auto inf = Flat(1);
    inf[3] = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FaultOf(inf, 2, 360, 0), CieFault::Overflow);
    // Finite input whose sums leave the Single range.
    EXPECT_EQ(FaultOf(Flat(1e300), 2, 360, 0), CieFault::Overflow);
    EXPECT_EQ(FaultOf(Flat(1e38), 1, 360, CieIllA), CieFault::Overflow);
}

TEST(CalcColorimetry, NoValueMarkerInsideTheRangeFailsAtItsWavelength) {
    auto marked = Flat(1, 481);
    marked[505 - 350] = -9999;
    std::string text;
    int number = 0;
    EXPECT_EQ(FaultOf(marked, 1, 350, CieIllD65, &text, &number), CieFault::NoValue);
    EXPECT_EQ(number, 5);
    EXPECT_EQ(text, "the spectrum has no value at 505 nm");

    // Outside 360 to 830 nm the marker is ignored like any value there.
    auto outside = Flat(1, 481);
    outside[0] = -9999;
    outside[480] = -9999;
    EXPECT_EQ(Shown(Calc(outside, 1, 355, CieIllD65).r.x2bar), "95.0471");
}

TEST(CalcColorimetry, FailureLeavesNoValidResult) {
    CieResults r;
    std::int32_t ill = 0;
    CalcColorimetry(BuiltTables(), r, ill, Flat(1), 1, 360, CieIllD65);
    EXPECT_THROW(CalcColorimetry(BuiltTables(), r, ill, Flat(1, 300), 1, 360, CieIllA), CieError);
    EXPECT_EQ(ill, CieIllA);
    EXPECT_EQ(r.nx2, 0);
    EXPECT_NE(Shown(r.x2bar), "95.0471");
}

}  // namespace
