// Fills the main window's hand-over table for the import and export commands.
#pragma once

// Called once when the program starts, before the main window exists.
void InstallImportExportServices();
