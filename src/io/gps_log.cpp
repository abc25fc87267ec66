#include "io/gps_log.h"

#include <exception>
#include <string>
#include <vector>

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "frame/settings.h"
#include "frame/work_list_walk.h"
#include "io/formats/gps_text.h"
#include "io/output_file_dialog.h"
#include "io/text_bytes.h"
#include "platform/shell/paths.h"
#include "platform/ui/common_dialog.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

// The launcher's hourglass must not outlive the run, however it ends.
class DefaultPointerAtExit {
public:
    explicit DefaultPointerAtExit(BatchHost& host) : host_(host) {}
    ~DefaultPointerAtExit() { host_.SetMousePointer(vbDefault); }
    DefaultPointerAtExit(const DefaultPointerAtExit&) = delete;
    DefaultPointerAtExit& operator=(const DefaultPointerAtExit&) = delete;

private:
    BatchHost& host_;
};

}  // namespace

void CreateGpsLogFile() {
    BatchHost& host = MainHost();
    DefaultPointerAtExit pointer(host);
    const std::string logPath = AskOutputFile(host, "Select GPS Log File", ".txt",
                                              "Ascii Files (*.txt)|*.txt|All Files (*.*)|*.*");
    if (logPath.empty()) {
        return;
    }
    if (FileExists(logPath) && AskOverwriteFile(logPath, "Overwrite?", false) == "No") {
        host.SetProgressValue(0);
        return;
    }
    FileList& work = host.List1();
    const int count = work.ListCount();
    host.SetProgressMax(count);
    // Written whole at the end, and only when it holds a record: a log that
    // cannot be written, or a run with nothing readable, leaves an earlier log
    // as it was.
    std::string text;
    int records = 0;
    const bool walked = WalkWorkList(host, [&](const std::string& inputPath) {
        try {
            if (ReadSpectrumFile(inputPath) == -1) {
                return true;
            }
        } catch (const std::exception& error) {
            MsgBox(inputPath + " could not be processed: " + error.what() + ".",
                   vbOKOnly + vbCritical, AppTitle);
            return false;
        }
        text += GpsLogRecord(CurrentHeader, inputPath);
        ++records;
        return true;
    });
    if (!walked) {
        return;
    }
    const bool written = records == 0 || WriteOutputFile(logPath, TextBytes(text));
    host.SetProgressValue(0);
    host.SetMousePointer(vbDefault);
    if (written) {
        // The count is of the records in the log, not of the entries asked
        // for: an unreadable entry has none.
        MsgBox(records > 0 ? std::to_string(records) + " Files Processed" : "No Files Processed",
               vbOKOnly + vbInformation, AppTitle);
    }
    work.Clear();
}
