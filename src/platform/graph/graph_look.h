// The saved look of a graph: every property but the point data, in a small
// versioned binary file of our own. The file comes from disk, so reading it
// trusts nothing: sizes and counts are checked before anything is allocated,
// every entry against the property table, and a file with any fault is
// refused whole.
//
// Layout, little-endian: the 8 bytes "LVXGLOOK", a 16-bit version (1), a
// 32-bit entry count, then the entries: 32-bit id, 32-bit curve (-1 for a
// plain property), a type byte (0 Boolean, 1 16-bit, 2 32-bit, 3 double,
// 4 text) and the value (a Boolean as one byte 0 or 1; a text as a 32-bit
// length and that many bytes).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/graph/graph_model.h"

inline constexpr size_t GraphLookMaxFileSize = 1024 * 1024;
inline constexpr size_t GraphLookMaxText = 1024;
inline constexpr uint16_t GraphLookVersion = 1;

std::string WriteGraphLook(const GraphLook& look);

// The look the bytes hold, or nothing and the reason in error.
std::optional<GraphLook> ReadGraphLook(std::string_view bytes, std::string& error);
