#include "app/file_selection.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "app/main_window.h"
#include "frame/settings.h"
#include "platform/shell/paths.h"
#include "platform/text/vbstring.h"
#include "platform/ui/ui.h"
#include "spectrum/state.h"

std::vector<std::string> CommandLineFiles(1);
std::string CurrentInputPath;

const char* const InputFileFilter =
    "ZEL Varnel Files (*.zel)|*.zel|"
    "ZEL Spectrum Files (*.0?\?)|*.0??|"
    "ZEL Spectrum Files (*.1?\?)|*.1??|"
    "ZEL SpectrumFiles (*.2?\?)|*.2??|"
    "ZEL Spectrum Files (*.3?\?)|*.3??|"
    "ZEL Spectrum Files (*.4?\?)|*.4??|"
    "ZEL Spectrum Files (*.5?\?)|*.5??|"
    "ZEL Spectrum Files (*.6?\?)|*.6??|"
    "ZEL Spectrum Files (*.7?\?)|*.7??|"
    "ZEL Spectrum Files (*.8?\?)|*.8??|"
    "ZEL Spectrum Files (*.9?\?)|*.9??|"
    "ZEL Reflectance Files (*.ref)|*.ref|"
    "ZEL Radiance Files (*.rad)|*.rad|"
    "ZEL Irradiance Files (*.irr)|*.irr|"
    "ZEL Absolute Files (*.abs)|*.abs|"
    "ZEL P-Corrected Files (*.pco)|*.pco|"
    "ZEL NEDL Files (*.ned)|*.ned|"
    "ZEL Ratio Files (*.rt?)|*.rt?|"
    "ZEL Multiply Files (*.mt?)|*.mt?|"
    "ZEL Add Files (*.ad?)|*.ad?|"
    "ZEL Subtract Files (*.sb?)|*.sb?|"
    "BranLuebbe File (*.abl)|*.abl|"
    "BranLuebbe File (*.mbl)|*.mbl|"
    "ASCII XY File (*.txt)|*.txt|"
    "All Files (*.*)|*.*";

namespace {

// A single-file spectrum (".zel") carries its own reference.
bool IsEmbeddedReferenceName(const std::string& name) {
    return LCase(Right(name, 4)) == ".zel";
}

void AddInputFiles(const std::vector<std::string>& paths) {
    MainWindow->List2().AddItems(paths);
    for (const std::string& path : paths) {
        if (IsEmbeddedReferenceName(path)) {
            HasEmbeddedReference = true;
        }
    }
}

// The dialog's answer as a folder (with its separator) and the chosen names.
void SplitChosenFiles(const std::string& chosen, std::string& folder,
                      std::vector<std::string>& names) {
    const auto firstNul = chosen.find('\0');
    if (firstNul == std::string::npos) {
        const auto slash = chosen.find_last_of(PathSeparator);
        folder = slash == std::string::npos ? std::string() : chosen.substr(0, slash + 1);
        names.push_back(slash == std::string::npos ? chosen : chosen.substr(slash + 1));
        return;
    }
    folder = AddBackslash(Trim(chosen.substr(0, firstNul)));
    std::string rest = chosen.substr(firstNul + 1);
    for (auto nul = rest.find('\0'); nul != std::string::npos; nul = rest.find('\0')) {
        names.push_back(Trim(rest.substr(0, nul)));
        rest = Trim(rest.substr(nul + 1));
    }
    names.push_back(rest);
}

}  // namespace

void SelectInputFiles(int Count) {
    HasEmbeddedReference = false;
    std::vector<std::string> paths;
    for (int i = 1; i <= Count && i < static_cast<int>(CommandLineFiles.size()); ++i) {
        // A relative name is made whole now: choosing files in the open
        // dialog later moves the current folder, and the name would then
        // point elsewhere.
        std::string name = CommandLineFiles[static_cast<std::size_t>(i)];
        std::error_code error;
        if (!name.empty() && std::filesystem::path(name).is_relative()) {
            const auto whole = std::filesystem::absolute(name, error);
            if (!error) {
                name = whole.string();
            }
        }
        paths.push_back(name);
    }
    AddInputFiles(paths);
    MainWindow->EnableProcessMenus();
}

void SelectInputFiles() {
    CommonDialog& dialog = MainWindow->CommonDialog1();
    dialog.CancelError = true;
    dialog.InitDir = InputDirectory;
    dialog.MaxFileSize = 20000;
    dialog.FileName.clear();
    dialog.DialogTitle = "Select Input File(s)";
    dialog.Filter = InputFileFilter;
    dialog.FilterIndex = FilterIndex;
    dialog.Flags = cdlOFNLongNames | cdlOFNNoDereferenceLinks | cdlOFNExplorer |
                   cdlOFNFileMustExist | cdlOFNAllowMultiselect | cdlOFNHideReadOnly;
    bool cancelled = false;
    try {
        dialog.ShowOpen();
    } catch (const CommonDialogCancel&) {
        cancelled = true;
    }
    // The filter the user switched to is kept, even when the dialog was
    // cancelled.
    if (dialog.FilterIndex != FilterIndex) {
        FilterIndex = dialog.FilterIndex;
        SaveSettings();
    }
    DoEvents();
    if (cancelled || dialog.FileName.empty()) {
        MainWindow->SetProgressValue(0);
        return;
    }
    MainWindow->mnuClose->setEnabled(true);
    std::string folder;
    std::vector<std::string> names;
    SplitChosenFiles(dialog.FileName, folder, names);
    if (!folder.empty()) {
        // The root keeps its one separator; it is a folder name of its own.
        CurrentInputPath = folder.size() == 1 ? folder : folder.substr(0, folder.size() - 1);
    }
    HasEmbeddedReference = false;
    std::vector<std::string> paths;
    for (const std::string& name : names) {
        paths.push_back(folder + name);
    }
    AddInputFiles(paths);
    MainWindow->EnableProcessMenus();
}
