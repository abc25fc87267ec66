// Every subsystem's entries in the hand-over tables, as the program installs
// them at start-up, for the lifetime of the object.
#pragma once

#include "frame/services.h"
#include "io/io_services.h"
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
