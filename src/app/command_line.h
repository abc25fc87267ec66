// Spectrum file names given on the command line.
#pragma once

#include <string>
#include <vector>

// The program's arguments, without the program's own name.
std::vector<std::string> ProgramArguments();

// Splits the arguments into at most MaxArgs names: "," and tab separate names,
// as does the end of an argument; double quotes are dropped wherever they
// stand; blanks belong to the names. ArgArray receives the names at 1 .. count
// (entry 0 unused). Returns the count.
int16_t GetCommandLineArgs(std::vector<std::string>& ArgArray,
                           const std::vector<std::string>& arguments, int MaxArgs = 10);
