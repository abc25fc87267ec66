// The value-by-value arithmetic of custom arithmetic: an input spectrum
// combined with a constant or with the values of an operand file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The operation codes, also the order of the dialog's operation buttons.
enum CustomOperation : int16_t {
    OperationRatio = 0,
    OperationMultiply = 1,
    OperationAdd = 2,
    OperationSubtract = 3,
};

// The extension of an output: ".rts", ".mts", ".ads", ".sbs" with an operand
// file, ".rtc", ".mtc", ".adc", ".sbc" with a constant; empty for a code
// outside 0 to 3.
std::string CustomArithmeticExtension(int16_t Operation, bool withConstant);

// One result: x / y, y * x, y + x or x - y. Only a ratio by an operand file
// value of 0 is defined as 0; a constant is never 0. The missing-value marker
// is combined like any value.
double CustomArithmeticValue(int16_t Operation, double x, double y, bool operandFile);

// Every value combined with the constant (widened from its Single value).
std::vector<double> CombineWithConstant(int16_t Operation, const std::vector<double>& values,
                                        float Constant);

// values(j) combined with operand(j); the operand holds at least as many
// values as the input.
std::vector<double> CombineWithOperand(int16_t Operation, const std::vector<double>& values,
                                       const std::vector<double>& operand);
