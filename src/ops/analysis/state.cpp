#include "ops/analysis/state.h"

#include "ops/analysis/custom_dialog.h"

bool CustomFormLoaded = false;

void UnloadCustomForm() {
    DestroyCustomForm();
    CustomFormLoaded = false;
}

bool OperandHasZero = false;
int16_t OperandUpperBound = 0;
