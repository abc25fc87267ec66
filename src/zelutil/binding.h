// The program's side of ZelUtil: the library is opened by name at the first call
// of any export and each export is looked up at its own first call, so the
// program starts without it and only the operation that needs it fails.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace ZelUtil {

// The library or one of its exports could not be found. Number follows the
// run-time error numbers callers show (53 file not found, 453 entry point).
class Unavailable : public std::runtime_error {
public:
    Unavailable(int number, const std::string& description)
        : std::runtime_error(description), Number(number) {}
    int Number;
};

inline constexpr const char* LibraryName = "libzelutil.so";

// Each forwards to the export of the same name; each throws Unavailable when
// the library or the export is missing.
int32_t InterpolateValue(double& Y, const double* XA, const double* YA, int32_t N, double X);
double vbCeiling(double X);
double vbFloor(double X);
double vbSelect(uint32_t K, uint32_t N, const double* Values);
int32_t CTimeToVBTime(int32_t& T, char* Buffer);
int32_t NowToCTime();
void vbTZSet();
int32_t vbGettm(int32_t* Tm);
int32_t vbUTCToCTime(int32_t Hour, int32_t Minute, int32_t Second);

}  // namespace ZelUtil
