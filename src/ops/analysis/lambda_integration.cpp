#include "ops/analysis/lambda_integration.h"

#include <QListWidget>
#include <QRadioButton>
#include <string>
#include <vector>

#include "frame/batch_host.h"
#include "ops/analysis/kernels/lambda_bands.h"
#include "ops/analysis/kernels/lambda_result_text.h"
#include "ops/analysis/lambda_input.h"
#include "ops/analysis/lambda_results.h"
#include "platform/text/convert.h"
#include "platform/text/number.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

struct ResultRow {
    std::string FileName;
    int Band = 0;
    std::string Start;
    std::string End;
    std::string Result;
    int DataType = 0;  // of the file the row was computed from
};

std::string ResultText(const BandResult& result) {
    switch (result.Outcome) {
        case BandOutcome::StartBelowData:
            return "LamStart < " + CStrSingle(result.Wavelength);
        case BandOutcome::EndAboveData:
            return "LamEnd > " + CStrSingle(result.Wavelength);
        case BandOutcome::Value:
            break;
    }
    return CStrDouble(result.Value);
}

std::string RowText(const QListWidget& list, int row) {
    return list.item(row)->text().toStdString();
}

}  // namespace

void IntegrateLambdaBands() {
    BatchHost& host = MainHost();
    FileList& work = host.List1();
    host.SetProgressMax(work.ListCount());

    frmLamInput& bands = LamInputForm();
    ShowModal(bands);
    const bool average = !bands.Option1[0]->isChecked();
    const int bandCount = bands.List1->count();

    std::vector<ResultRow> rows;
    bool ending = false;
    for (int b = 0; b < bandCount && !ending; ++b) {
        bands.List1->setCurrentRow(b);
        bands.List2->setCurrentRow(b);
        bands.List3->setCurrentRow(b);
        const std::string start = RowText(*bands.List2, b);
        const std::string end = RowText(*bands.List3, b);
        // The dialog and the band-set reader let only numbers in.
        const double s = ParseDouble(start).value_or(0);
        const double e = ParseDouble(end).value_or(0);
        for (int i = 0; i < work.ListCount(); ++i) {
            // The program is ending: nothing is listed, as after Cancel.
            if (RunEnding()) {
                ending = true;
                break;
            }
            host.SetMousePointer(vbHourglass);
            host.SetProgressValue(i + 1);
            const std::string name = work.List(i);
            if (ReadSpectrumFile(name) == -1) {
                continue;
            }
            const BandResult result = IntegrateBand(SpectrumData, CurrentHeader.ChannelCount,
                                                    CurrentHeader.Channel1Wavelength,
                                                    CurrentHeader.WavelengthStep, s, e, average);
            rows.push_back(
                ResultRow{name, b + 1, start, end, ResultText(result), CurrentHeader.DataType});
        }
    }
    host.SetProgressValue(0);
    if (ending) {
        host.SetMousePointer(vbDefault);
        return;
    }

    if (rows.empty()) {
        MsgBox("No Files Processed", vbOKOnly + vbInformation, AppTitle);
        return;
    }
    MsgBox(
        std::to_string(rows.size()) + (average ? " Averages Performed" : " Integrations Performed"),
        vbOKCancel, AppTitle);
    frmLamResult& results = LamResultForm();
    results.List1->clear();
    for (const ResultRow& row : rows) {
        auto* item = new QListWidgetItem(QString::fromStdString(
            LambdaResultEntry(row.FileName, row.Band, row.Start, row.End, row.Result)));
        item->setData(DataKindRole, row.DataType);
        results.List1->addItem(item);
    }
    ShowModal(results);
}

void UnloadLambdaForms() {
    UnloadLamInputForm();
    UnloadLamResultForm();
}
