#include "io/xy_import.h"

#include <QCheckBox>
#include <QRadioButton>
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "frame/settings.h"
#include "frame/work_list_walk.h"
#include "io/formats/bounded_file.h"
#include "io/formats/xy_text.h"
#include "io/xy_import_dialogs.h"
#include "platform/shell/paths.h"
#include "platform/ui/common_dialog.h"
#include "platform/ui/ui.h"
#include "spectrum/state.h"
#include "zelutil/binding.h"

namespace {

constexpr long SaveFlags = 0x380006;

enum class Flow { NextFile, EndWithReport, EndAtOnce };

struct RunState {
    char separator = '\t';
    std::vector<std::string> written;
};

// The major and minor version packed into one byte, as the header keeps it.
uint8_t ProgramVersionByte() {
    const auto dot = VersionText.find('.');
    int major = 0;
    int minor = 0;
    try {
        major = std::stoi(VersionText.substr(0, dot));
        if (dot != std::string::npos) {
            minor = std::stoi(VersionText.substr(dot + 1));
        }
    } catch (const std::exception&) {
        return 0;
    }
    return static_cast<uint8_t>(((major & 0x0F) * 16) | (minor & 0x0F));
}

void RejectFile(const std::string& path, XYProblem problem) {
    const char* what = problem == XYProblem::InvalidDataFormat
                           ? " is an invalid data format...file ignored"
                           : " is an invalid file format...file ignored";
    MsgBox(path + what, vbOKOnly + vbCritical, AppTitle);
}

// What the user chose for one file: the grid's start and the lamp-data units.
struct StartChoice {
    double start = 0;
    bool lampData = false;
    bool microwatts = false;
};

// False when the user cancelled. Cancel leaves a start of 0 behind, so a 0
// typed in ends the run the same way.
bool AskStart(const XYPoints& points, StartChoice& choice) {
    frmAsciiImport form;
    form.SetStartingWavelength(points.X.front());
    ShowModal(form);
    if (form.StartingWavelength() == 0) {
        return false;
    }
    choice.start = ImportGridStart(form.StartingWavelength(), points);
    choice.lampData = form.Check1->isChecked();
    choice.microwatts = form.Option2[0]->isChecked();
    return true;
}

// The output's name from the save dialog; empty on Cancel.
std::string AskOutputName(const std::string& inputPath) {
    std::string path = inputPath, drive, dir, name;
    SplitPath(path, drive, dir, name);
    CommonDialog& dialog = MainHost().CommonDialog1();
    std::string chosen;
    try {
        dialog.CancelError = true;
        dialog.DialogTitle = "Select Output Filename for Input File " + name;
        dialog.FileName.clear();
        dialog.InitDir = OutputDirectory;
        dialog.DefaultExt.clear();
        dialog.Filter = "All Files (*.*)|*.*";
        dialog.Flags = SaveFlags;
        dialog.ShowSave();
        chosen = dialog.FileName;
    } catch (const CommonDialogCancel&) {
        chosen.clear();
    }
    DoEvents();
    return chosen;
}

Flow ImportOne(const std::string& inputPath, RunState& run) {
    std::vector<uint8_t> bytes;
    std::string error;
    switch (ReadBoundedFile(inputPath, MaxXYFileSize, bytes, error)) {
        case BoundedRead::Read:
            break;
        case BoundedRead::CannotOpen:
            MsgBox("File Error\r" + error, vbOKOnly + vbExclamation, AppTitle);
            return Flow::NextFile;
        case BoundedRead::TooLarge:
            RejectFile(inputPath, XYProblem::InvalidFileFormat);
            return Flow::NextFile;
    }
    XYPoints points;
    if (const XYProblem problem = ReadXYPoints(bytes.data(), bytes.size(), run.separator, points);
        problem != XYProblem::None) {
        RejectFile(inputPath, problem);
        return Flow::NextFile;
    }

    StartChoice choice;
    if (!AskStart(points, choice)) {
        return Flow::EndWithReport;
    }
    const std::vector<double> grid = ImportGrid(choice.start, points);
    if (grid.empty()) {
        RejectFile(inputPath, XYProblem::InvalidFileFormat);
        return Flow::NextFile;
    }
    std::vector<float> values;
    try {
        if (!ImportValues(points, grid, choice.lampData && choice.microwatts, values,
                          &ZelUtil::InterpolateValue)) {
            RejectFile(inputPath, XYProblem::InvalidFileFormat);
            return Flow::NextFile;
        }
        InitImportHeader();
    } catch (const ZelUtil::Unavailable& unavailable) {
        // Every further file would fail the same way.
        MsgBox(unavailable.what(), vbOKOnly + vbExclamation, AppTitle);
        return Flow::EndAtOnce;
    }
    CurrentHeader.Channel1Wavelength = static_cast<float>(grid.front());
    CurrentHeader.ChannelCount = static_cast<int16_t>(grid.size() - 1);
    CurrentHeader.WavelengthStep = 1.0f;

    const std::string outputPath = AskOutputName(inputPath);
    if (outputPath.empty()) {
        return Flow::EndAtOnce;
    }
    std::vector<uint8_t> output;
    AppendHeader(output, CurrentHeader);
    AppendSingles(output, std::vector<double>(values.begin(), values.end()));
    if (!WriteOutputFile(outputPath, output)) {
        return Flow::EndAtOnce;
    }
    run.written.push_back(outputPath);
    return Flow::NextFile;
}

}  // namespace

void InitImportHeader() {
    SpectrumHeader header{};
    header.Signature = {'Z', 'E', 'L'};
    const std::vector<uint8_t>& description = ReferenceRecord.Description.Bytes;
    std::copy_n(description.begin(),
                std::min<std::size_t>(description.size(), header.Comment.size() - 1),
                header.Comment.begin());
    std::array<int32_t, 9> tm{};
    ZelUtil::vbGettm(tm.data());
    header.SaveTime = TmRecord{
        static_cast<int16_t>(tm[0]), static_cast<int16_t>(tm[1]), static_cast<int16_t>(tm[2]),
        static_cast<int16_t>(tm[3]), static_cast<int16_t>(tm[4]), static_cast<int16_t>(tm[5]),
        static_cast<int16_t>(tm[6]), static_cast<int16_t>(tm[7]), static_cast<int16_t>(tm[8])};
    header.ProgramVersion = ProgramVersionByte();
    // What every version-1 file of this program carries.
    header.FormatVersion = 16;
    header.DarkSubtracted = ReferenceRecord.ReferenceFlag != 0 ? 1 : 0;
    header.DataType = Raw;
    header.WavelengthStep = 1.0f;
    header.ValueFormat = ValueSingle;
    header.XMax = 65535.0f;
    header.BitCount = 16;
    header.InstrumentType = VnirSwir4;
    CurrentHeader = header;
}

void ImportAsciiXYFiles() {
    RunState run;
    {
        frmDelimiter form;
        form.SetSeparator("\t");
        ShowModal(form);
        if (form.Separator().size() != 1) {
            return;
        }
        run.separator = form.Separator().front();
    }
    BatchHost& host = MainHost();
    host.SetProgressMax(host.List1().ListCount());
    // A request to end the program keeps what was imported, as after Cancel.
    Flow flow = Flow::NextFile;
    WalkWorkList(host, [&](const std::string& listed) {
        host.SetMousePointer(vbHourglass);
        flow = ImportOne(listed, run);
        return flow == Flow::NextFile;
    });
    host.SetProgressValue(0);
    host.SetMousePointer(vbDefault);
    if (flow == Flow::EndAtOnce) {
        return;
    }
    if (run.written.empty()) {
        MsgBox("No Files Processed", vbOKOnly + vbInformation, AppTitle);
        return;
    }
    host.List2().Clear();
    for (const std::string& path : run.written) {
        host.List2().AddItem(path);
    }
    MsgBox(std::to_string(run.written.size()) + " File(s) Processed", vbOKOnly + vbInformation,
           AppTitle);
}
