// The bytes a text export writes: its text as built, byte for byte, already in
// the files' code page and with the line ends it chose.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline std::vector<uint8_t> TextBytes(const std::string& text) {
    return {text.begin(), text.end()};
}
