// Module state of the spectral analysis operations.
#pragma once

#include <cstdint>

// The custom-arithmetic dialog stays loaded between uses, keeping what the
// user typed; the main window unloads it when it closes.
extern bool CustomFormLoaded;

// Unloads the custom-arithmetic dialog when it is loaded.
void UnloadCustomForm();

// The operand file custom arithmetic read last: whether one of its values is
// exactly 0, and the upper index of its values.
extern bool OperandHasZero;
extern int16_t OperandUpperBound;
