// The common file dialog as the program's operations drive it: set the
// properties, call ShowOpen or ShowSave, read FileName and FilterIndex back.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

// Flags, with the values the operations are written in.
enum CommonDialogFlags : long {
    cdlOFNReadOnly = 0x1,
    cdlOFNOverwritePrompt = 0x2,
    cdlOFNHideReadOnly = 0x4,
    cdlOFNNoChangeDir = 0x8,
    cdlOFNAllowMultiselect = 0x200,
    cdlOFNPathMustExist = 0x800,
    cdlOFNFileMustExist = 0x1000,
    cdlOFNExplorer = 0x80000,
    cdlOFNNoDereferenceLinks = 0x100000,
    cdlOFNLongNames = 0x200000,
};

// Cancel, reported as an error when CancelError is on.
inline constexpr int cdlCancel = 32755;

class CommonDialogCancel : public std::runtime_error {
public:
    CommonDialogCancel() : std::runtime_error("Cancel was selected.") {}
    int Number = cdlCancel;
};

class CommonDialog {
public:
    bool CancelError = false;
    std::string DialogTitle;
    // One chosen file: its full path. Several (with cdlOFNAllowMultiselect): the
    // folder, then each name, separated by NUL characters.
    std::string FileName;
    std::string InitDir;
    std::string DefaultExt;
    // Descriptions and patterns alternating, separated by "|".
    std::string Filter;
    int FilterIndex = 0;
    long Flags = 0;
    int MaxFileSize = 260;

    // Both throw CommonDialogCancel on Cancel when CancelError is on; otherwise
    // Cancel leaves FileName empty.
    void ShowOpen();
    void ShowSave();

    // The (description, pattern) pairs of Filter.
    std::vector<std::pair<std::string, std::string>> FilterPairs() const;

private:
    void Show(bool save);
};
