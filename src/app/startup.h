// Start-up: the settings folder, the Bran+Luebbe settings and the main window.
#pragma once

#include <cstdint>
#include <string>

// The program's settings folder ("ZEL/Lumivex" in the desktop's settings
// folder), created when missing, with a trailing separator. 0 on success;
// otherwise the failure code, Folder unchanged.
int32_t GetSettingsFolder(std::string& Folder);

// Reads the five Bran+Luebbe keys of "bl.ini" when the file can be opened.
void ReadBranLuebbeSettings();

// The entry procedure: settings folder, "bl.ini", then the main window.
void Main();
