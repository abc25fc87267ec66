// The value of a numbered graph property, as the callers write and read it.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>

// A number keeps the type it was written with, so it reads back as written.
using GraphValue = std::variant<bool, int16_t, int32_t, double, std::string>;

// The number a value holds; nothing for a Boolean or a text.
inline std::optional<double> GraphNumber(const GraphValue& value) {
    if (const auto* v = std::get_if<int16_t>(&value)) {
        return *v;
    }
    if (const auto* v = std::get_if<int32_t>(&value)) {
        return *v;
    }
    if (const auto* v = std::get_if<double>(&value)) {
        return *v;
    }
    return std::nullopt;
}
