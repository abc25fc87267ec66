// How chosen input files reach the main window's list: the open dialog, the
// command line and files dropped on the list.
#pragma once

#include <string>
#include <vector>

// Names from the command line or a drop, at 1 .. count (entry 0 unused).
extern std::vector<std::string> CommandLineFiles;
// The folder of the files last chosen in the open dialog, without a trailing
// separator; shown in the status bar.
extern std::string CurrentInputPath;

// The open-dialog filter, descriptions and patterns alternating.
extern const char* const InputFileFilter;

// Without a count: the open dialog. With one: the first Count entries of
// CommandLineFiles, taken as full paths.
void SelectInputFiles();
void SelectInputFiles(int Count);
