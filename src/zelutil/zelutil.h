// The exports of the ZelUtil library: plain C functions under their published
// names, callable by name from any language that can load a shared library.
#pragma once

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(ZELUTIL_BUILDING)
#define ZELUTIL_EXPORT __attribute__((visibility("default")))
#else
#define ZELUTIL_EXPORT
#endif

// Cubic through the four table points around X. Returns 1 and writes *Y; returns
// 0 and leaves *Y alone when the call cannot give a sound value (fewer than four
// points, a null pointer, two equal abscissas in the window, no memory).
ZELUTIL_EXPORT int32_t InterpolateValue(double* Y, const double* XA, const double* YA, int32_t N,
                                        double X);

ZELUTIL_EXPORT double vbCeiling(double X);
ZELUTIL_EXPORT double vbFloor(double X);

// The K-th smallest (K from 1) of N values; the caller's array is left alone.
// A quiet NaN when N is 0, K is outside 1..N, Values is null or no memory.
ZELUTIL_EXPORT double vbSelect(uint32_t K, uint32_t N, const double* Values);

// The 24-character C date text of *T in local time, a line feed and a zero
// byte (26 bytes) into Buffer. Always returns 0. A time that cannot be turned
// into that text leaves an empty, zero-terminated text.
ZELUTIL_EXPORT int32_t CTimeToVBTime(const int32_t* T, char* Buffer);

ZELUTIL_EXPORT int32_t NowToCTime(void);

ZELUTIL_EXPORT void vbTZSet(void);

// Local time now, as nine integers in C tm order. Always returns 0.
ZELUTIL_EXPORT int32_t vbGettm(int32_t* Tm);

// Today's UTC date with the time of day Hour - 1 : Minute : Second, read back as
// local standard time. -1 when the result cannot be represented.
ZELUTIL_EXPORT int32_t vbUTCToCTime(int32_t Hour, int32_t Minute, int32_t Second);

#ifdef __cplusplus
}
#endif
