#include "io/io_services.h"

#include "frame/services.h"
#include "io/bran_luebbe_export.h"
#include "io/xy_import.h"

void InstallImportExportServices() {
    Exports.ExportBranLuebbeFiles = ExportBranLuebbeFiles;
    Exports.ImportAsciiXYFiles = ImportAsciiXYFiles;
}
