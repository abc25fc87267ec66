// Custom arithmetic: every spectrum of the work list combined with a constant,
// one operand file or its corresponding file, written in its own file version.
#pragma once

#include <cstdint>
#include <string>

// Operation: 0 ratio, 1 multiply, 2 add, 3 subtract. Constant: the operand
// when not 0. Otherwise FileName is the one operand file, or, with UseList
// not 0, entry i of the custom dialog's list is the operand of work-list
// entry i.
void CreateCustomArithmeticFiles(int16_t Operation, float Constant, std::string FileName,
                                 int16_t UseList);
