#include "cie/colorimetry.h"

#include <cmath>

namespace {

int NumberOf(CieFault fault) {
    switch (fault) {
        case CieFault::OutOfRange:
        case CieFault::TooManyValues:
            return 9;
        case CieFault::NoValue:
            return 5;
        case CieFault::DivisionByZero:
            return 11;
        case CieFault::Overflow:
            return 6;
        case CieFault::FileNotFound:
            return 53;
        case CieFault::TypeMismatch:
            return 13;
    }
    return 0;
}

[[noreturn]] void Fail(CieFault fault, const std::string& text) {
    throw CieError(fault, text);
}

[[noreturn]] void Overflowed() {
    Fail(CieFault::Overflow, "the arithmetic overflowed");
}

// Every stored value is a Single; a value that does not survive the rounding
// (or was never a number) is an arithmetic fault, never a result.
float Store(double value) {
    const float stored = static_cast<float>(value);
    if (!std::isfinite(stored)) {
        Overflowed();
    }
    return stored;
}

// A running sum is a Single field rounded after every addition; the product
// itself is formed in double precision.
void Accumulate(float& sum, double product) {
    sum = Store(static_cast<double>(sum) + product);
}

struct Observer {
    float& X;
    float& Y;
    float& Z;
    float& k;
    float& x;
    float& y;
    float& u;
    float& v;
};

void Factor(Observer o) {
    if (o.k == 0) {
        Fail(CieFault::DivisionByZero, "the normalising sum is zero");
    }
    o.k = Store(100.0 / o.k);
}

void Normalise(Observer o) {
    o.X = Store(static_cast<double>(o.k) * o.X);
    o.Y = Store(static_cast<double>(o.k) * o.Y);
    o.Z = Store(static_cast<double>(o.k) * o.Z);
}

void Chromaticity(Observer o) {
    const double sum = static_cast<double>(o.X) + o.Y + o.Z;
    o.x = Store(o.X / sum);
    o.y = Store(o.Y / sum);
}

void Uniform(Observer o) {
    const double denominator = 12.0 * o.y - 2.0 * o.x + 3.0;
    o.u = Store(4.0 * o.x / denominator);
    o.v = Store(9.0 * o.y / denominator);
}

}  // namespace

CieError::CieError(CieFault fault, const std::string& text)
    : VbError(NumberOf(fault), text.c_str()), fault_(fault) {}

void ZeroResults(CieResults& results) {
    results = CieResults{};
}

void CalcColorimetry(const CieTables& tables, CieResults& results, std::int32_t& illFile,
                     std::span<const double> buffer, std::int32_t lType, std::int32_t wlStart,
                     std::int32_t ill) {
    ZeroResults(results);
    illFile = ill;

    const bool ratio = lType == CieReflectanceType || lType == CieTransmittanceType;
    const CieTableValues* light = nullptr;
    if (ill == CieIllA) {
        light = &tables[CIE_A];
    } else if (ill == CieIllD65) {
        light = &tables[CIE_D65];
    }
    const auto& x2 = tables[CIE_X2];
    const auto& y2 = tables[CIE_Y2];
    const auto& z2 = tables[CIE_Z2];
    const auto& x10 = tables[CIE_X10];
    const auto& y10 = tables[CIE_Y10];
    const auto& z10 = tables[CIE_Z10];
    CieResults& r = results;

    for (int i = 0; i < CieTableLength; ++i) {
        const int wavelength = CieFirstWavelength + i;
        // 64-bit, so that a start far below 360 nm cannot wrap the index.
        const std::int64_t j = static_cast<std::int64_t>(wavelength) - wlStart;
        if (j < 0 || j >= static_cast<std::int64_t>(buffer.size())) {
            Fail(CieFault::OutOfRange,
                 "the spectrum does not cover every wavelength from 360 to 830 nm");
        }
        const double value = buffer[static_cast<std::size_t>(j)];
        if (value == CieNoValue) {
            Fail(CieFault::NoValue,
                 "the spectrum has no value at " + std::to_string(wavelength) + " nm");
        }
        if (!std::isfinite(value)) {
            Overflowed();
        }
        double s = 0;
        if (!ratio) {
            s = value;
            Accumulate(r.k2, static_cast<double>(y2[i]) * s);
            Accumulate(r.k10, static_cast<double>(y10[i]) * s);
        } else if (light != nullptr) {
            const double e = (*light)[i];
            s = e * value;
            Accumulate(r.k2, e * y2[i]);
            Accumulate(r.k10, e * y10[i]);
        }
        if (!std::isfinite(s)) {
            Overflowed();
        }
        Accumulate(r.x2bar, x2[i] * s);
        Accumulate(r.x10bar, x10[i] * s);
        Accumulate(r.y2bar, y2[i] * s);
        Accumulate(r.y10bar, y10[i] * s);
        Accumulate(r.z2bar, z2[i] * s);
        Accumulate(r.z10bar, z10[i] * s);
    }

    const Observer two{r.x2bar, r.y2bar, r.z2bar, r.k2, r.nx2, r.ny2, r.u_prime_2, r.v_prime_2};
    const Observer ten{r.x10bar, r.y10bar, r.z10bar,     r.k10,
                       r.nx10,   r.ny10,   r.u_prime_10, r.v_prime_10};
    // Each step for both observers before the next, so that a failure leaves
    // the same partial state whichever observer fails.
    Factor(two);
    Factor(ten);
    Normalise(two);
    Normalise(ten);
    Chromaticity(two);
    Chromaticity(ten);
    Uniform(two);
    Uniform(ten);
}
