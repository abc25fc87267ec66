// The GPS log: one text file, named by the user, with a record per readable
// entry of the work list giving when and where the spectrum was taken.
#pragma once

// Runs over the work list; the launcher has set the hourglass, and every way
// out of the run puts the default pointer back.
void CreateGpsLogFile();
