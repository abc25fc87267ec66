// Module state of the viewing windows: what the main window touches and what
// the graph window, its plotting and its legend share.
#pragma once

#include <cstdint>
#include <string>

class QWidget;
class frmLegend;

// The graph window in use; null when there is none.
extern QWidget* CurrentGraph;
// True while the graph window is loaded.
extern bool GraphOpen;
// The graph's main title and subtitle.
extern std::string GraphTitle;
extern std::string GraphSubtitle;
// Running minimum and maximum of the plotted wavelengths; 2500 and 350 before a
// new graph, so the first plotted spectrum replaces both.
extern int32_t GraphMinWavelength;
extern int32_t GraphMaxWavelength;
// First wavelength and step of the file plotted last.
extern float GraphStartWavelength;
extern float GraphWavelengthStep;
// The open legend window; null while the legend is closed.
extern frmLegend* LegendForm;

// Back to the state of a freshly started program (for tests). Windows are not
// closed: the caller closes what it opened.
void ResetViewState();
