// The whole of a text file from outside, never more than the caller's bound.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

enum class BoundedRead {
    Read,
    CannotOpen,  // missing, not a file, or unreadable; error holds the system's text
    TooLarge,    // more than maxSize bytes; nothing is kept
};

BoundedRead ReadBoundedFile(const std::string& path, std::size_t maxSize,
                            std::vector<uint8_t>& bytes, std::string& error);
