// Replacing a file's whole content so that a failure never leaves it damaged.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes bytes to a file beside name, flushed to disk, and renames it over
// name (a symbolic link keeps pointing to it). The file keeps its mode, and
// its owner and group as far as the user may give them. True when name now
// holds bytes; false after a message naming the file and why, with name left
// as it was and nothing left beside it. A file the user may not write, or one
// marked read-only for everybody, is refused so, whoever runs the program.
bool ReplaceFile(const std::string& name, const std::vector<uint8_t>& bytes);
