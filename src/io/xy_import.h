// The ASCII XY import: text files of X,Y pairs on the work list become
// version-1 spectrum files on a 1 nm grid, each named in a save dialog.
#pragma once

// Runs over the work list List1; List2 then holds the files written.
void ImportAsciiXYFiles();

// CurrentHeader := the header of an imported file, from an all-zero record:
// nothing of the file read last reaches it but its reference's description
// (the comment) and whether it held a usable reference (DarkSubtracted).
void InitImportHeader();
