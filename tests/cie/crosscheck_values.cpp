// Prints our colorimetry of the cross-check spectra, one line per case:
// name, then X, Y, Z, x, y, u', v' for 2 degrees and for 10 degrees.

#include <cstdio>
#include <string>
#include <vector>

#include "built_tables.h"

namespace {

std::vector<double> Spectrum(const std::string& shape) {
    std::vector<double> values(CieTableLength);
    for (int i = 0; i < CieTableLength; ++i) {
        const int nm = CieFirstWavelength + i;
        if (shape == "flat") {
            values[static_cast<std::size_t>(i)] = 0.5;
        } else if (shape == "ramp") {
            values[static_cast<std::size_t>(i)] = (nm - 360) / 470.0;
        } else {
            values[static_cast<std::size_t>(i)] = nm < 550 ? 0.2 : 0.8;
        }
    }
    return values;
}

}  // namespace

int main() {
    struct Case {
        const char* shape;
        std::int32_t lType;
        std::int32_t ill;
        const char* name;
    };
    const Case cases[] = {
        {"flat", 1, CieIllD65, "flat-D65"},   {"flat", 1, CieIllA, "flat-A"},
        {"ramp", 1, CieIllD65, "ramp-D65"},   {"ramp", 1, CieIllA, "ramp-A"},
        {"step", 1, CieIllD65, "step-D65"},   {"step", 6, CieIllA, "step-A"},
        {"step", 2, CieIllD65, "step-light"},
    };
    for (const Case& c : cases) {
        CieResults r;
        std::int32_t ill = 0;
        CalcColorimetry(BuiltTables(), r, ill, Spectrum(c.shape), c.lType, 360, c.ill);
        std::printf("%s", c.name);
        for (float v : {r.x2bar, r.y2bar, r.z2bar, r.nx2, r.ny2, r.u_prime_2, r.v_prime_2, r.x10bar,
                        r.y10bar, r.z10bar, r.nx10, r.ny10, r.u_prime_10, r.v_prime_10}) {
            std::printf(" %.9g", static_cast<double>(v));
        }
        std::printf("\n");
    }
    return 0;
}
