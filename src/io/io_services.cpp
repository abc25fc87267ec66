#include "io/io_services.h"

#include "frame/services.h"

void InstallImportExportServices() {}
