// The absorbance that the Log 1/R batch writes for one reflectance or
// transmittance value.
#pragma once

// log10(1 / R) for R above 0, from natural logarithms in double precision;
// 10.0 for 0, a negative value (the missing-value marker -9999 included) and a
// value that is not a number.
double Log1RValue(double R);
