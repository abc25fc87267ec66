#include "views/state.h"

QWidget* CurrentGraph = nullptr;
bool GraphOpen = false;
std::string GraphTitle;
std::string GraphSubtitle;
int32_t GraphMinWavelength = 0;
int32_t GraphMaxWavelength = 0;
