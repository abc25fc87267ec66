// The walk over the work list that the runs gathering every input into one
// output share: the exports, statistics, NEDL and the imports.
#pragma once

#include <functional>
#include <string>

class BatchHost;

// Hands each entry of the host's work list to take, with the progress bar and
// the list's index on it. take returns false to end the run there; a request
// to end the program ends it between two entries, as after Cancel (see
// RunEnding). True when every entry was taken; otherwise the progress bar is
// back at 0.
bool WalkWorkList(BatchHost& host, const std::function<bool(const std::string&)>& take);
