// Reading the graph's property values in the windows: what a value that is
// missing or of another kind counts as.
#pragma once

#include <optional>
#include <string>
#include <variant>

#include "platform/graph/graph_value.h"

// The number a value holds; nothing for a missing value, a Boolean or a text.
inline std::optional<double> NumberOf(const std::optional<GraphValue>& value) {
    return value ? GraphNumber(*value) : std::nullopt;
}

// The text a value holds; the empty text for anything else.
inline std::string TextOf(const std::optional<GraphValue>& value) {
    return value && std::holds_alternative<std::string>(*value) ? std::get<std::string>(*value)
                                                                : std::string();
}

// True only for a value that is the Boolean true.
inline bool FlagOf(const std::optional<GraphValue>& value) {
    return value && std::holds_alternative<bool>(*value) && std::get<bool>(*value);
}
