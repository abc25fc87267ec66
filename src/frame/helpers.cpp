#include "frame/helpers.h"

#include <stdexcept>

#include "frame/batch_host.h"
#include "frame/settings.h"
#include "platform/ui/common_dialog.h"

namespace {

constexpr long SaveDialogFlags =
    cdlOFNLongNames | cdlOFNNoDereferenceLinks | cdlOFNExplorer | cdlOFNHideReadOnly;

}  // namespace

std::string ShowSaveDialog(const std::string& Title, const std::string& Filter,
                           const std::string& DefaultExt, bool OverwritePrompt) {
    try {
        CommonDialog& dialog = MainHost().CommonDialog1();
        dialog.CancelError = true;
        // Every call starts over: the dialog shares the main window's control
        // with the open dialog, so nothing of an earlier call may linger.
        dialog.InitDir = OutputDirectory;
        dialog.DialogTitle = Title;
        dialog.DefaultExt = DefaultExt;
        dialog.FileName.clear();
        dialog.Filter = Filter;
        dialog.FilterIndex = 1;
        dialog.Flags = SaveDialogFlags | (OverwritePrompt ? long{cdlOFNOverwritePrompt} : 0L);
        dialog.ShowSave();
        return dialog.FileName;
    } catch (...) {
        return {};
    }
}

void GetArrayMinMax(const std::vector<double>& Values, int Upper, double& MinValue,
                    double& MaxValue) {
    if (Values.empty()) {
        throw std::out_of_range("GetArrayMinMax: empty array");
    }
    if (Upper >= 0 && static_cast<std::size_t>(Upper) >= Values.size()) {
        throw std::out_of_range("GetArrayMinMax: upper index beyond the array");
    }
    double low = Values[0];
    double high = Values[0];
    for (int i = 0; i <= Upper; ++i) {
        const double value = Values[static_cast<std::size_t>(i)];
        if (value < low) {
            low = value;
        }
        if (value > high) {
            high = value;
        }
    }
    MinValue = low;
    MaxValue = high;
}
