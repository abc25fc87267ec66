// The user's settings and the start-up state that every part of the program
// reads: where the settings live, the default input and output folders, the
// derivative gap, the graph curves' look, the open dialog's filter and the
// graph window's last mode. Kept in "lvx.ini" in the settings folder.
#pragma once

#include <array>
#include <cstdint>
#include <string>

// Folder of "lvx.ini", "bl.ini" and "SaveGraph.bin"; always ends with the
// path separator.
extern std::string SettingsFolder;

// Kept in "lvx.ini", section "LVXDATA". InputDirectory normally ends with the
// separator, OutputDirectory does not; writers add it when they build names.
extern std::string InputDirectory;
extern std::string OutputDirectory;
extern int16_t DerivativeGap;
extern std::array<int32_t, 16> LineColor;
extern std::array<int32_t, 16> LineType;
extern int32_t FilterIndex;
extern int16_t LastPlotFormat;
extern int16_t LastPlotDeriv;

// Bran+Luebbe export settings, kept in "bl.ini".
extern bool UseMult;
extern bool UseAdd;
extern std::string CoefficientFile;
extern bool Predict;
extern std::string ModelFile;

// The program's version as major and minor joined by "." (no revision); set
// when the main window loads.
extern std::string VersionText;

// The main window is being unloaded.
extern bool MainClosing;

void LoadSettings();
void SaveSettings();

// Back to the values of a freshly started program (for tests).
void ResetSettingsState();
