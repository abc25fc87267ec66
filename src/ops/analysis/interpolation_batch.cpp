#include "ops/analysis/interpolation_batch.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <optional>
#include <vector>

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "frame/settings.h"
#include "ops/analysis/interpolation_dialog.h"
#include "ops/analysis/kernels/interpolation.h"
#include "ops/analysis/kernels/spectrum_arrays.h"
#include "ops/analysis/truncation.h"
#include "platform/shell/paths.h"
#include "platform/text/convert.h"
#include "platform/text/number.h"
#include "platform/ui/common_dialog.h"
#include "platform/ui/ui.h"
#include "spectrum/stamps.h"
#include "spectrum/state.h"
#include "zelutil/binding.h"

namespace {

constexpr int MinimumChannels = 4;
constexpr int MaximumChannels = 32767;
constexpr long SaveFlags = 0x380006;

void Warn(const std::string& text) {
    MsgBox(text, vbOKOnly + vbExclamation, AppTitle);
}

struct GridChoice {
    double Start = 0;
    double Step = 0;
    int Count = 0;
};

// The three boxes as numbers, or nothing after a message saying which box
// holds what the grid cannot use.
std::optional<GridChoice> ReadGridChoice(const frmInterpFile& dialog) {
    GridChoice choice;
    const auto start = ParseDouble(dialog.Text2->text().toStdString());
    if (!start) {
        Warn("Invalid Starting Wavelength!\r\nThe starting wavelength must be a number.");
        return std::nullopt;
    }
    const auto step = ParseDouble(dialog.Text3->text().toStdString());
    if (!step || !(*step > 0)) {
        Warn("Invalid Wavelength Step!\r\nThe step must be a number above 0.");
        return std::nullopt;
    }
    const auto count = ParseDouble(dialog.Text4->text().toStdString());
    int channels = 0;
    try {
        channels = count ? CInt(*count) : 0;
    } catch (const VbError&) {
        channels = 0;
    }
    if (channels < MinimumChannels || channels > MaximumChannels) {
        Warn("Invalid Number of Channels!\r\nThe number of channels must be from " +
             std::to_string(MinimumChannels) + " to " + std::to_string(MaximumChannels) + ".");
        return std::nullopt;
    }
    choice.Start = *start;
    choice.Step = *step;
    choice.Count = channels;
    return choice;
}

class InterpolationBatch : public BatchOperation {
public:
    InterpolationBatch() { ResetPlotState = false; }

    BatchStep OnFirstReadable(BatchFile&) override {
        frmInterpFile dialog;
        dialog.Text2->setText(QString::fromStdString(CStrSingle(CurrentHeader.Channel1Wavelength)));
        dialog.Text3->setText(QString::fromStdString(CStrSingle(CurrentHeader.WavelengthStep)));
        dialog.Text4->setText(QString::number(CurrentHeader.ChannelCount));
        dialog.Option1[0]->setChecked(true);
        std::optional<GridChoice> choice;
        while (!choice) {
            dialog.setResult(QDialog::Rejected);
            ShowModal(dialog);
            if (dialog.result() != QDialog::Accepted || !dialog.ok()) {
                MainHost().SetMousePointer(vbDefault);
                return BatchStep::EndRun;
            }
            choice = ReadGridChoice(dialog);
        }
        grid_ = *choice;
        promptForName_ = dialog.Option1[1]->isChecked();
        extension_ = dialog.Text1->text().toStdString();
        return BatchStep::Continue;
    }

    // The grid of this file, and whether the file can fill it.
    BatchStep BeforePrompt(BatchFile& file) override {
        const SpectrumHeader& header = CurrentHeader;
        const std::size_t n = SpectrumData.size();
        wavelengths_ = ChannelWavelengths(header.Channel1Wavelength, header.WavelengthStep, n);
        gridPoints_ = MakeGrid(GridStart(grid_.Start, header.Channel1Wavelength,
                                         header.WavelengthStep, static_cast<int>(n)),
                               grid_.Step, grid_.Count);
        const std::string skipped = "\r\nThis file will be skipped.";
        switch (CheckGrid(wavelengths_, gridPoints_)) {
            case GridProblem::None:
                break;
            case GridProblem::FewChannels:
                Warn(file.InputPath + " cannot be interpolated: it holds fewer than 4 channels." +
                     skipped);
                return BatchStep::Skip;
            case GridProblem::NotRising:
                Warn(file.InputPath +
                     " cannot be interpolated: its wavelengths do not rise from channel to "
                     "channel." +
                     skipped);
                return BatchStep::Skip;
            case GridProblem::PastLastChannel:
                Warn(file.InputPath + " ends at " + CStrDouble(wavelengths_.back()) +
                     " nm: the new grid would need values up to " + CStrDouble(gridPoints_.back()) +
                     " nm." + skipped);
                return BatchStep::Skip;
        }
        if (FileVersion >= 2 && ReferenceData.size() < n) {
            Warn(file.InputPath +
                 " cannot be interpolated: its reference holds fewer values than its spectrum." +
                 skipped);
            return BatchStep::Skip;
        }
        return BatchStep::Continue;
    }

    BatchStep OutputName(BatchFile& file) override {
        if (!promptForName_) {
            std::string extension = extension_;
            if (extension.empty() || extension.front() != '.') {
                extension = "." + extension;
            }
            file.OutputPath = AddBackslash(OutputDirectory) + file.InputName + extension;
            return BatchStep::Continue;
        }
        CommonDialog& dialog = MainHost().CommonDialog1();
        bool cancelled = false;
        try {
            dialog.CancelError = true;
            dialog.DialogTitle = "Select Output Filename for Input File " + file.InputName;
            dialog.FileName.clear();
            dialog.DefaultExt.clear();
            dialog.InitDir = OutputDirectory;
            dialog.Filter = "All Files (*.*)|*.*";
            dialog.Flags = SaveFlags;
            dialog.ShowSave();
        } catch (...) {
            cancelled = true;
        }
        DoEvents();
        if (cancelled || dialog.FileName.empty()) {
            MainHost().SetMousePointer(vbDefault);
            return BatchStep::EndRun;
        }
        file.OutputPath = dialog.FileName;
        return BatchStep::Continue;
    }

    BatchStep AfterPrompt(BatchFile& file) override {
        try {
            bool done = InterpolateOntoGrid(wavelengths_, SpectrumData, gridPoints_, values_);
            if (done && FileVersion >= 2) {
                done = InterpolateOntoGrid(wavelengths_, ReferenceData, gridPoints_, reference_);
            }
            if (!done) {
                Warn(file.InputPath + " could not be interpolated.\r\nThis file will be skipped.");
                return BatchStep::Skip;
            }
        } catch (const ZelUtil::Unavailable& error) {
            // Every further file would fail the same way.
            Warn(error.what());
            MainHost().SetMousePointer(vbDefault);
            return BatchStep::EndRun;
        }
        if (FileVersion < 2) {
            reference_.clear();
        }
        return BatchStep::Continue;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        SpectrumHeader header;
        MakeInterpolatedHeader(header, CurrentHeader, gridPoints_.front(), grid_.Step,
                               static_cast<int16_t>(values_.size()));
        return SpectrumArraysBytes(header, FileVersion, values_, ReferenceRecord, reference_);
    }

    void OnWritten(BatchFile& file) override {
        names_.push_back(file.OutputPath);
        labels_.push_back(file.InputName);
        starts_.push_back(gridPoints_.front());
        ends_.push_back(gridPoints_.back());
    }

    void Closing(BatchResult& result) override {
        const int answer = MsgBox(std::to_string(result.Count) +
                                      " Files Interpolated.\r\nDo you want to truncate these "
                                      "spectrum files?",
                                  vbYesNo, AppTitle);
        if (answer == vbYes) {
            TruncateSpectrumFiles(names_, labels_, starts_, ends_);
        }
        FileList& visible = MainHost().List2();
        visible.Clear();
        visible.AddItems(result.Outputs);
    }

private:
    GridChoice grid_;
    bool promptForName_ = false;
    std::string extension_;
    std::vector<double> wavelengths_;
    std::vector<double> gridPoints_;
    std::vector<double> values_;
    std::vector<double> reference_;
    std::vector<std::string> names_;
    std::vector<std::string> labels_;
    std::vector<double> starts_;
    std::vector<double> ends_;
};

}  // namespace

void InterpolateFiles() {
    InterpolationBatch batch;
    RunBatch(batch);
}
