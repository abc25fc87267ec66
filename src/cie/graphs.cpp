// The colour-matching functions (tab 1) and the illuminants (tab 2) as line
// graphs over wavelength.

#include "cie/ucie_parts.h"

void UCIE::InitGraphs() {}

void UCIE::DrawColorFunctionGraph(int) {}

void UCIE::DrawIlluminantGraph(int) {}
