#include "io/bran_luebbe_export.h"

#include <fcntl.h>
#include <unistd.h>

#include <QCheckBox>
#include <filesystem>
#include <optional>
#include <system_error>

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "frame/ini_file.h"
#include "frame/settings.h"
#include "frame/work_list_walk.h"
#include "io/bran_luebbe_dialog.h"
#include "io/formats/bounded_file.h"
#include "io/text_bytes.h"
#include "ops/analysis/spectral_transforms.h"
#include "platform/files/whole_file.h"
#include "platform/text/codepage.h"
#include "platform/text/convert.h"
#include "platform/ui/common_dialog.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

constexpr long TableFlags = cdlOFNOverwritePrompt | cdlOFNHideReadOnly | cdlOFNExplorer |
                            cdlOFNNoDereferenceLinks | cdlOFNLongNames;

void ReportFileError(const char* kind, const std::string& description) {
    MsgBox(std::string("Error Processing Bran+Luebbe ") + kind +
               " file\r\nError Description: " + description,
           vbOKOnly, AppTitle);
}

// The file's bytes, or nullopt with the reason it cannot be had.
std::optional<std::vector<uint8_t>> LoadBLFile(const std::string& path, std::string& error) {
    std::vector<uint8_t> bytes;
    switch (ReadBoundedFile(path, MaxBLFileSize, bytes, error)) {
        case BoundedRead::Read:
            return bytes;
        case BoundedRead::TooLarge:
            error = "the file is larger than 1 MiB";
            break;
        case BoundedRead::CannotOpen:
            break;
    }
    return std::nullopt;
}

const char* TrueFalse(bool value) {
    return value ? "True" : "False";
}

void SaveBLSettings() {
    const std::string& ini = ExportIniFile.inifile;
    ExportIniFile.ProfileSaveItem("Coefficients", "UseMult", TrueFalse(UseMult), ini);
    ExportIniFile.ProfileSaveItem("Coefficients", "UseAdd", TrueFalse(UseAdd), ini);
    ExportIniFile.ProfileSaveItem("Coefficients", "CoefficientFile", CoefficientFile, ini);
    ExportIniFile.ProfileSaveItem("Model", "Predict", TrueFalse(Predict), ini);
    ExportIniFile.ProfileSaveItem("Model", "ModelFile", ModelFile, ini);
}

// Whether the table could be written, asked of the file system without
// creating or opening anything: the tables are written whole at the end of the
// run, and a run that ends early must leave no earlier file changed and no new
// one behind. The table goes in beside whatever has its name, so its folder
// must take a new entry; a file already there must be one the user may write.
bool CanWriteTable(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status)) {
        return false;
    }
    if (files::CheckNotReadOnly(AT_FDCWD, path) != 0) {
        return false;
    }
    std::string folder = fs::path(path).parent_path().string();
    if (folder.empty()) {
        folder = ".";
    }
    return fs::is_directory(folder, error) &&
           ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

// The table's path from the main window's dialog, or the empty text when the
// run ends here (Cancel, or a path that cannot be written, after its message).
std::string AskTable(const char* title, const char* extension, const char* filter) {
    CommonDialog& dialog = MainHost().CommonDialog1();
    std::string path;
    try {
        dialog.CancelError = true;
        dialog.InitDir = OutputDirectory;
        dialog.DialogTitle = title;
        dialog.FileName.clear();
        dialog.DefaultExt = extension;
        dialog.Filter = filter;
        dialog.FilterIndex = 0;
        dialog.Flags = TableFlags;
        dialog.ShowOpen();
        path = dialog.FileName;
    } catch (const CommonDialogCancel&) {
        return {};
    }
    if (!path.empty() && !CanWriteTable(path)) {
        MsgBox("Error opening " + path, vbOKOnly + vbCritical, AppTitle);
        return {};
    }
    return path;
}

// The log 1/R values of the spectrum read last, or nullptr when it has none:
// a file with a stored reference gets them computed, a version-1 file of
// log 1/R data holds them already.
const std::vector<double>* Log1RValues() {
    if (FileVersion >= 2) {
        if (ReferenceRecord.ReferenceFlag == 0) {
            CurrentHeader.DataType = Unknown;
            return nullptr;
        }
        if (!ComputeLog1R()) {
            return nullptr;
        }
        CurrentHeader.DataType = Absorbance;
        return &Log1RData;
    }
    return CurrentHeader.DataType == Absorbance ? &SpectrumData : nullptr;
}

struct Table {
    bool used = false;
    std::string path;
    std::string text;
};

}  // namespace

bool ReadBLCoefficientFile(const std::string& FileName, std::vector<BLCoefficient>& Coefficients) {
    std::string error;
    const auto bytes = LoadBLFile(FileName, error);
    if (!bytes || !ParseBLCoefficients(bytes->data(), bytes->size(), Coefficients, error)) {
        Coefficients.clear();
        ReportFileError("Coefficients", error);
        return false;
    }
    return true;
}

bool ReadBLModelFile(const std::string& FileName, std::vector<BLModel>& Models) {
    std::string error;
    const auto bytes = LoadBLFile(FileName, error);
    if (!bytes || !ParseBLModels(bytes->data(), bytes->size(), Models, error)) {
        Models.clear();
        ReportFileError("Model", error);
        return false;
    }
    return true;
}

void ExportBranLuebbeFiles() {
    BatchHost& host = MainHost();
    FileList& work = host.List1();
    const int count = work.ListCount();
    host.SetProgressMax(count);

    std::vector<BLCoefficient> coefficients;
    std::vector<BLModel> models;
    {
        frmBranLuebbe form;
        if (!CoefficientFile.empty()) {
            form.SetCFile(CoefficientFile);
        }
        if (!ModelFile.empty()) {
            form.SetMFile(ModelFile);
        }
        form.chkAdd->setChecked(UseAdd);
        form.chkMulti->setChecked(UseMult);
        form.chkPredict->setChecked(Predict);
        form.Form_Load();
        ShowModal(form);
        if (!form.ok()) {
            return;
        }
        CoefficientFile = form.CFile();
        ModelFile = form.MFile();
        UseAdd = form.chkAdd->isChecked();
        UseMult = form.chkMulti->isChecked();
        Predict = form.chkPredict->isChecked();
    }
    SaveBLSettings();
    // Without its 19 coefficients no row can be right; without its models
    // only the predictions are missing.
    if (!ReadBLCoefficientFile(CoefficientFile, coefficients)) {
        return;
    }
    if (!ReadBLModelFile(ModelFile, models) && Predict) {
        return;
    }

    Table mult{UseMult, {}, {}};
    Table add{UseAdd, {}, {}};
    if (mult.used) {
        mult.path = AskTable("Select B+L Multiplicative Filename", ".mbl",
                             "BranLuebbe Files (*.mbl)|*.mbl|All Files (*.*)|*.*");
        if (mult.path.empty()) {
            host.SetProgressValue(0);
            return;
        }
        mult.text = BLHeadRows(true, Predict, models, coefficients);
    }
    if (add.used) {
        add.path = AskTable("Select B+L Additive Filename", ".abl",
                            "BranLuebbe Files (*.abl)|*.abl|All Files (*.*)|*.*");
        if (add.path.empty()) {
            host.SetProgressValue(0);
            return;
        }
        add.text = BLHeadRows(false, Predict, models, coefficients);
    }

    int generated = 0;
    const bool walked = WalkWorkList(host, [&](const std::string& input) {
        host.SetMousePointer(vbHourglass);
        if (ReadSpectrumFile(input) == -1) {
            return true;
        }
        const std::vector<double>* log1r = Log1RValues();
        if (log1r == nullptr) {
            return true;
        }
        const float channel1 = CurrentHeader.Channel1Wavelength;
        const int channels = CurrentHeader.ChannelCount;
        const std::string path = Utf8ToAnsi(input);
        if (mult.used) {
            const BLValues values = WalkBLCoefficients(
                channel1, channels, log1r->size(), coefficients, [&](std::size_t k, std::size_t j) {
                    return CSngOrInfinity(static_cast<double>(coefficients[k].MultCoefficient) *
                                          (*log1r)[j]);
                });
            ++generated;
            mult.text += BLDataRow(path, Predict, models, coefficients, values, false);
        }
        if (add.used) {
            const BLValues values = WalkBLCoefficients(
                channel1, channels, log1r->size(), coefficients, [&](std::size_t k, std::size_t j) {
                    return CSngOrInfinity(static_cast<double>(coefficients[k].AddCoefficient) +
                                          (*log1r)[j]);
                });
            ++generated;
            add.text += BLDataRow(path, Predict, models, coefficients, values, Predict);
        }
        return true;
    });
    if (!walked) {
        return;
    }
    host.SetProgressValue(0);
    // A run without a single row leaves earlier tables of those names as
    // they were.
    for (const Table* table : {&mult, &add}) {
        if (generated > 0 && table->used && !WriteOutputFile(table->path, TextBytes(table->text))) {
            return;
        }
    }
    MsgBox(generated > 0 ? std::to_string(generated) + " Files Generated." : "No Files Processed",
           vbOKOnly + vbInformation, AppTitle);
}
