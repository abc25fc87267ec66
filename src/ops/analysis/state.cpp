#include "ops/analysis/state.h"

bool CustomFormLoaded = false;

void UnloadCustomForm() { CustomFormLoaded = false; }
