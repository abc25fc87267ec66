#include "ops/analysis/truncation.h"

#include <QListWidget>
#include <algorithm>
#include <set>

#include "frame/batch_host.h"
#include "frame/replace_file.h"
#include "ops/analysis/kernels/spectrum_arrays.h"
#include "ops/analysis/kernels/truncation_window.h"
#include "ops/analysis/truncation_dialog.h"
#include "platform/files/whole_file.h"
#include "platform/text/number.h"
#include "platform/ui/ui.h"
#include "spectrum/bytes.h"
#include "spectrum/reader.h"
#include "spectrum/stamps.h"
#include "spectrum/state.h"

namespace {

void ShowFileError(const std::string& name, const std::string& error) {
    MsgBox("File Error\r" + name + " " + error + ".", vbOKOnly + vbExclamation, AppTitle);
}

// Reads name into the loaded spectrum: header, values and, from version 2
// on, the reference. False after a message.
bool ReadFileToCut(const std::string& name) {
    std::vector<uint8_t> bytes;
    std::string error;
    if (!LoadSpectrumFileBytes(name, bytes, error)) {
        ShowFileError(name, error);
        return false;
    }
    SpectrumArrays file;
    try {
        if (!ParseSpectrumArrays(bytes.data(), bytes.size(), file)) {
            CheckSpectrumSignature(name, {bytes[0], bytes[1], bytes[2]});
            return false;
        }
    } catch (const spectrum::FileFormatError& fault) {
        ShowFileError(name, fault.what());
        return false;
    }
    CheckSpectrumSignature(name, file.Header.Signature);
    CurrentHeader = file.Header;
    CurrentFileName = name;
    SpectrumData = std::move(file.Values);
    ReferenceRecord = file.Reference;
    ReferenceData = std::move(file.ReferenceValues);
    return true;
}

std::vector<double> Slice(const std::vector<double>& values, const TruncationWindow& window) {
    const auto first = values.begin() + window.First;
    return std::vector<double>(first, first + window.Count);
}

}  // namespace

void TruncateSpectrumFiles(const std::vector<std::string>& Names,
                           const std::vector<std::string>& Labels,
                           const std::vector<double>& Starts, const std::vector<double>& Ends) {
    const std::size_t files = std::min({Names.size(), Labels.size(), Starts.size(), Ends.size()});
    double lower = 0.0;
    double upper = 100000.0;
    double start = 0;
    double end = 0;
    {
        frmInterp dialog;
        for (std::size_t i = 0; i < files; ++i) {
            dialog.List1->addItem(QString::fromStdString("File:  " + Labels[i] +
                                                         "   Start:  " + CStrDouble(Starts[i]) +
                                                         "   End:  " + CStrDouble(Ends[i])));
            lower = std::max(lower, Starts[i]);
            upper = std::min(upper, Ends[i]);
        }
        dialog.setMaxMin(lower);
        dialog.setMinMax(upper);
        ShowModal(dialog);
        if (dialog.MaxMin() == 0 && dialog.MinMax() == 0) {
            return;
        }
        start = dialog.MaxMin();
        end = dialog.MinMax();
    }

    BatchHost& host = MainHost();
    host.SetProgressMax(host.List1().ListCount());
    const files::WritingRun writing;
    int truncated = 0;
    // Two inputs of one name write one output, listed twice; cutting it a
    // second time would cut what is already cut.
    std::set<std::string> cut;
    for (std::size_t i = 0; i < files; ++i) {
        const std::string& name = Names[i];
        host.SetMousePointer(vbHourglass);
        host.SetProgressValue(static_cast<int>(i) + 1);
        if (!cut.insert(name).second) {
            continue;
        }
        // A file that cannot be read ends the run where it stands; the
        // reader has said why.
        if (!ReadFileToCut(name)) {
            return;
        }
        int available = static_cast<int>(SpectrumData.size());
        if (FileVersion >= 2) {
            available = std::min(available, static_cast<int>(ReferenceData.size()));
        }
        // The window comes from the file as it is now, not from what was
        // remembered when it was written: the file may have been replaced
        // since.
        const double fileStart = CurrentHeader.Channel1Wavelength;
        const double step = CurrentHeader.WavelengthStep;
        const double fileEnd = fileStart + step * (CurrentHeader.ChannelCount - 1);
        const auto window =
            ComputeTruncationWindow(available, fileStart, fileEnd, start, end, step);
        if (!window) {
            MsgBox(name + " cannot be cut to " + CStrDouble(start) + " - " + CStrDouble(end) +
                       " nm: no channel would be left.\r\nThe file is left as it was.",
                   vbOKOnly + vbExclamation, AppTitle);
            continue;
        }
        SpectrumHeader header;
        MakeInterpolatedHeader(header, CurrentHeader, start, step,
                               static_cast<int16_t>(window->Count));
        const std::vector<double> reference =
            FileVersion >= 2 ? Slice(ReferenceData, *window) : std::vector<double>{};
        if (!ReplaceFile(name,
                         SpectrumArraysBytes(header, FileVersion, Slice(SpectrumData, *window),
                                             ReferenceRecord, reference))) {
            host.SetProgressValue(0);
            return;
        }
        ++truncated;
    }
    host.SetMousePointer(vbDefault);
    host.SetProgressValue(0);
    MsgBox(std::to_string(truncated) + " Files Truncated", vbOKOnly + vbInformation, AppTitle);
}
