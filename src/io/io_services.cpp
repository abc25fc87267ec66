#include "io/io_services.h"

#include "frame/services.h"
#include "io/bran_luebbe_export.h"
#include "io/export_dialog.h"
#include "io/gps_log.h"
#include "io/jcamp_export.h"
#include "io/xy_import.h"

void InstallImportExportServices() {
    Exports.ShowAsciiExport = ShowAsciiExport;
    Exports.ExportBranLuebbeFiles = ExportBranLuebbeFiles;
    Exports.ImportAsciiXYFiles = ImportAsciiXYFiles;
    Exports.ExportJcampFiles = ExportJcampFiles;
    Exports.ExportJcampMultiFile = ExportJcampMultiFile;
    Exports.CreateGpsLogFile = CreateGpsLogFile;
}
