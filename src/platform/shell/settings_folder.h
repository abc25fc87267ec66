// The machine's folder for application settings, as the desktop defines it.
#pragma once

#include <cstdint>
#include <string>

// The settings base folder (XDG_CONFIG_HOME, else ~/.config), created when it
// is missing. 0 and Folder filled on success; a non-zero code otherwise, with
// Folder unchanged.
int32_t QueryApplicationDataFolder(std::string& Folder);
