#include "frame/work_list_walk.h"

#include "frame/batch_host.h"
#include "platform/files/whole_file.h"
#include "platform/ui/ui.h"

bool WalkWorkList(BatchHost& host, const std::function<bool(const std::string&)>& take) {
    FileList& work = host.List1();
    const int count = work.ListCount();
    // Outputs written per entry (XY import) look through their folder once.
    const files::WritingRun writing;
    for (int i = 0; i < count; ++i) {
        if (RunEnding()) {
            host.SetProgressValue(0);
            return false;
        }
        host.SetProgressValue(i + 1);
        work.SetListIndex(i);
        if (!take(work.List(i))) {
            host.SetProgressValue(0);
            return false;
        }
    }
    return true;
}
