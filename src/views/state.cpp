#include "views/state.h"

QWidget* CurrentGraph = nullptr;
bool GraphOpen = false;
std::string GraphTitle;
std::string GraphSubtitle;
int32_t GraphMinWavelength = 0;
int32_t GraphMaxWavelength = 0;
float GraphStartWavelength = 0;
float GraphWavelengthStep = 0;
frmLegend* LegendForm = nullptr;

void ResetViewState() {
    CurrentGraph = nullptr;
    GraphOpen = false;
    GraphTitle.clear();
    GraphSubtitle.clear();
    GraphMinWavelength = 0;
    GraphMaxWavelength = 0;
    GraphStartWavelength = 0;
    GraphWavelengthStep = 0;
    LegendForm = nullptr;
}
