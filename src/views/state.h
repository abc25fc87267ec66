// Module state of the viewing windows that the main window touches.
#pragma once

#include <cstdint>
#include <string>

class QWidget;

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
