// Interpolation: every file of the work list put on one new wavelength grid,
// in its own file version, then optionally cut to a common range.
#pragma once

void InterpolateFiles();
