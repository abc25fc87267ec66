#include "platform/ui/common_dialog.h"

#include <filesystem>
#include <system_error>

#include "platform/ui/ui.h"

namespace {

// Several chosen files come back the way the operations take them apart: the
// common folder, then the bare names, NUL-separated.
std::string JoinChosenFiles(const std::vector<std::string>& paths) {
    if (paths.size() == 1) {
        return paths.front();
    }
    std::string joined = std::filesystem::path(paths.front()).parent_path().string();
    for (const std::string& path : paths) {
        joined += '\0';
        joined += std::filesystem::path(path).filename().string();
    }
    return joined;
}

}  // namespace

std::vector<std::pair<std::string, std::string>> CommonDialog::FilterPairs() const {
    std::vector<std::pair<std::string, std::string>> pairs;
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (start <= Filter.size() && !Filter.empty()) {
        const auto bar = Filter.find('|', start);
        parts.push_back(
            Filter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) {
            break;
        }
        start = bar + 1;
    }
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        pairs.emplace_back(parts[i], parts[i + 1]);
    }
    return pairs;
}

void CommonDialog::ShowOpen() {
    Show(false);
}

void CommonDialog::ShowSave() {
    Show(true);
}

void CommonDialog::Show(bool save) {
    const FileDialogAnswer answer = CurrentUserInterface().ShowFileDialog(*this, save);
    if (answer.FilterIndex >= 1) {
        FilterIndex = answer.FilterIndex;
    }
    if (answer.Paths.empty()) {
        FileName.clear();
        if (CancelError) {
            throw CommonDialogCancel();
        }
        return;
    }
    FileName = (Flags & cdlOFNAllowMultiselect) != 0 ? JoinChosenFiles(answer.Paths)
                                                     : answer.Paths.front();
    // Choosing files moves the process into their folder, so that files named
    // without a folder (calibration files) are then found beside them.
    if ((Flags & cdlOFNNoChangeDir) == 0) {
        const auto folder = std::filesystem::path(answer.Paths.front()).parent_path();
        std::error_code ignored;
        if (!folder.empty()) {
            std::filesystem::current_path(folder, ignored);
        }
    }
}
