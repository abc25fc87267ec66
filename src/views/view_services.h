// Fills the main window's hand-over table for the viewing windows.
#pragma once

// Called once when the program starts, before the main window exists.
void InstallViewServices();
