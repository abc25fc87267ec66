// Derivative files: for each file of the work list, the first or second
// derivative (gap difference with the gap the user picks first) of its
// reflectance, transmittance or log 1/R, written as a version-1 file with
// ".dv1" or ".dv2" appended to the input's name. The output keeps the input's
// data type.
#pragma once

void CreateFirstDerivativeFiles();
void CreateSecondDerivativeFiles();
