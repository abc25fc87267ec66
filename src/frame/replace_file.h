// Replacing a file's whole content so that a failure never leaves it damaged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes bytes to a file beside name, flushed to disk, and renames it over
// name (a symbolic link keeps pointing to it). True when name now holds bytes;
// false after a message naming the file and why, with name left as it was and
// nothing left beside it. A file marked read-only (no write permission for
// anyone) is refused so, whoever runs the program.
bool ReplaceFile(const std::string& name, const std::vector<uint8_t>& bytes);
