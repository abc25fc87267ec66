#include "io/io_services.h"

#include "frame/services.h"
#include "io/xy_import.h"

void InstallImportExportServices() {
    Exports.ImportAsciiXYFiles = ImportAsciiXYFiles;
}
