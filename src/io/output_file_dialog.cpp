#include "io/output_file_dialog.h"

#include "frame/batch_host.h"
#include "frame/settings.h"
#include "platform/ui/common_dialog.h"
#include "platform/ui/ui.h"

std::string AskOutputFile(BatchHost& host, const char* title, const char* defaultExt,
                          const char* filter) {
    CommonDialog& dialog = host.CommonDialog1();
    dialog.CancelError = true;
    dialog.DialogTitle = title;
    dialog.FileName.clear();
    dialog.InitDir = OutputDirectory;
    dialog.DefaultExt = defaultExt;
    dialog.Filter = filter;
    dialog.Flags = cdlOFNHideReadOnly | cdlOFNExplorer | cdlOFNNoDereferenceLinks | cdlOFNLongNames;
    std::string chosen;
    try {
        dialog.ShowOpen();
        chosen = dialog.FileName;
    } catch (const CommonDialogCancel&) {
    }
    DoEvents();
    return chosen;
}
