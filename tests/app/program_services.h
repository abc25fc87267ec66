// Every subsystem's entries in the hand-over tables, as the program installs
// them at start-up, for the lifetime of the object.
#pragma once

#include <filesystem>

#include "frame/services.h"
#include "frame/settings.h"
#include "io/io_services.h"
#include "spectrum/state.h"
#include "support/test_folder.h"
#include "views/state.h"
#include "views/view_services.h"

class ProgramServices {
public:
    ProgramServices() {
        Exports = {};
        Views = {};
        InstallImportExportServices();
        InstallViewServices();
    }
    ~ProgramServices() {
        Exports = {};
        Views = {};
    }
    ProgramServices(const ProgramServices&) = delete;
    ProgramServices& operator=(const ProgramServices&) = delete;
};

// Fresh module state, with the settings and the outputs in the test's folder.
inline void ResetProgramState() {
    ResetSettingsState();
    ResetSpectrumState();
    ResetViewState();
    SettingsFolder = (TestFolder::Path() / "config").string() + "/";
    OutputDirectory = (TestFolder::Path() / "out").string();
    std::filesystem::create_directories(OutputDirectory);
}
