// The save dialog every operation with a chosen output name shows, and the
// value range of an array for the exports' scale lines.
#pragma once

#include <string>
#include <vector>

// Shows the main window's save dialog, starting in OutputDirectory with the
// first filter, and returns the chosen full path. Cancel, a missing main
// window or any other failure give the empty text, which callers treat as a
// cancel. With OverwritePrompt the dialog itself asks before an existing file
// is chosen; without it the caller's own overwrite prompt is the only one.
std::string ShowSaveDialog(const std::string& Title, const std::string& Filter,
                           const std::string& DefaultExt, bool OverwritePrompt = false);

// MinValue and MaxValue of Values(0) to Values(Upper); both Values(0) when
// Upper is below 0. Throws std::out_of_range for an empty array or an Upper
// beyond its end, leaving MinValue and MaxValue as they were.
void GetArrayMinMax(const std::vector<double>& Values, int Upper, double& MinValue,
                    double& MaxValue);
