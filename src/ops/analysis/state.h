// Module state of the spectral analysis operations.
#pragma once

// The custom-arithmetic dialog stays loaded between uses, keeping what the
// user typed; the main window unloads it when it closes.
extern bool CustomFormLoaded;

// Unloads the custom-arithmetic dialog when it is loaded.
void UnloadCustomForm();
