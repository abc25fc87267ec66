// Drawing the files of the work list into the graph window, one curve per
// file, in the display mode PlotFormat and derivative PlotDeriv.
#pragma once

class GraphControl;

// Draws every file of the work list into the graph of CurrentGraph. False as
// soon as a file cannot be read (the reader has said why; files drawn so far
// stay) or when there is no graph window. When the files need more curves or
// points than the graph holds, the first files that fit are drawn and the user
// is told how many; false when not even one fits. With Reference, files of
// version 2 and later are drawn from their stored white reference and
// version-1 files are skipped.
bool PlotSpectra(bool Reference = false);

// Chooses how the y axis of graph shows Value, the largest value drawn so far
// in data units; Value itself is not changed.
void ScaleGraphExponent(GraphControl& graph, double Value);
