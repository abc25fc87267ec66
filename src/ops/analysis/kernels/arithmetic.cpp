#include "ops/analysis/kernels/arithmetic.h"

std::string CustomArithmeticExtension(int16_t Operation, bool withConstant) {
    static constexpr const char* stems[] = {".rt", ".mt", ".ad", ".sb"};
    if (Operation < OperationRatio || Operation > OperationSubtract) {
        return {};
    }
    return std::string(stems[Operation]) + (withConstant ? "c" : "s");
}

double CustomArithmeticValue(int16_t Operation, double x, double y, bool operandFile) {
    switch (Operation) {
        case OperationRatio:
            if (operandFile && y == 0) {
                return 0;
            }
            return x / y;
        case OperationMultiply:
            return y * x;
        case OperationAdd:
            return y + x;
        case OperationSubtract:
            return x - y;
        default:
            return x;
    }
}

std::vector<double> CombineWithConstant(int16_t Operation, const std::vector<double>& values,
                                        float Constant) {
    std::vector<double> result(values.size());
    const double y = Constant;
    for (std::size_t j = 0; j < values.size(); ++j) {
        result[j] = CustomArithmeticValue(Operation, values[j], y, false);
    }
    return result;
}

std::vector<double> CombineWithOperand(int16_t Operation, const std::vector<double>& values,
                                       const std::vector<double>& operand) {
    std::vector<double> result(values.size());
    for (std::size_t j = 0; j < values.size() && j < operand.size(); ++j) {
        result[j] = CustomArithmeticValue(Operation, values[j], operand[j], true);
    }
    return result;
}
