// Cutting interpolation outputs to one common wavelength range, in place.
#pragma once

#include <string>
#include <vector>

// Shows the files (Labels as their names, Starts and Ends as their ranges) and
// the range all of them cover, lets the user narrow it and rewrites every file
// of Names to start at the chosen start with correspondingly fewer channels.
// Entry i of every list belongs to file i. Which channels a file keeps follows
// from its own header as read when it is cut; a name listed more than once is
// cut once. Each file is replaced whole, so a failure leaves it as it was.
void TruncateSpectrumFiles(const std::vector<std::string>& Names,
                           const std::vector<std::string>& Labels,
                           const std::vector<double>& Starts, const std::vector<double>& Ends);
