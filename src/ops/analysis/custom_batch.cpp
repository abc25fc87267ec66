#include "ops/analysis/custom_batch.h"

#include <QListWidget>
#include <vector>

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "ops/analysis/custom_dialog.h"
#include "ops/analysis/kernels/arithmetic.h"
#include "ops/analysis/kernels/spectrum_arrays.h"
#include "ops/analysis/operand_reader.h"
#include "ops/analysis/state.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"

namespace {

class CustomArithmeticBatch : public BatchOperation {
public:
    CustomArithmeticBatch(int16_t operation, float constant, std::string fileName, int16_t useList)
        : operation_(operation),
          constant_(constant),
          fileName_(std::move(fileName)),
          useList_(useList != 0) {
        Extension = CustomArithmeticExtension(operation, constant != 0);
        ResetPlotState = false;
    }

    BatchStep BeforeRun() override {
        if (Extension.empty()) {
            return BatchStep::EndRun;
        }
        if (constant_ == 0 && !useList_) {
            if (ReadSpectrumArrays(fileName_, operand_, operandReference_) == -1) {
                return BatchStep::EndRun;
            }
        }
        return BatchStep::Continue;
    }

    BatchStep AfterPrompt(BatchFile& file) override {
        if (constant_ != 0) {
            return BatchStep::Continue;
        }
        const int n = static_cast<int>(SpectrumData.size()) - 1;
        if (useList_ && !ReadCorrespondingFile(file)) {
            MsgBox("Can't find Corresponding File for:\r\n" + file.InputPath,
                   vbOKOnly + vbInformation, AppTitle);
            return BatchStep::EndRunToClosing;
        }
        if (OperandUpperBound != n) {
            MsgBox("Conversion Error...File Sizes Don't Match!\r\n\r\n" + fileName_ + " has " +
                       std::to_string(OperandUpperBound) + " elements\r\n" + file.InputPath +
                       " has " + std::to_string(n) + " elements\r\nThis file will be skipped.",
                   vbOKOnly, AppTitle);
            return BatchStep::Skip;
        }
        return BatchStep::Continue;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        CurrentHeader.DataType = Arithmetic;
        // Relabelled so that no reader takes the results for legacy Integers.
        if (CurrentHeader.InstrumentType == Swir0 || CurrentHeader.InstrumentType == Vnir1) {
            CurrentHeader.InstrumentType = Vnir3;
        }
        std::vector<double> values;
        if (constant_ != 0) {
            values = CombineWithConstant(operation_, SpectrumData, constant_);
        } else {
            if (operation_ == OperationRatio && OperandHasZero) {
                MsgBox("Warning..." + fileName_ + " contains data values of '0.0'",
                       vbOKOnly + vbExclamation, AppTitle);
                OperandHasZero = false;
            }
            values = CombineWithOperand(operation_, SpectrumData, operand_);
        }
        // Legacy input holds 512 values whatever its header says: the output
        // says how many it holds, and its reference gets as many.
        CurrentHeader.ChannelCount = static_cast<int16_t>(values.size());
        return SpectrumArraysBytes(CurrentHeader, FileVersion, values, ReferenceRecord,
                                   ReferenceData);
    }

    void Closing(BatchResult& result) override {
        if (CustomFormLoaded) {
            CustomForm().List1->clear();
        }
        BatchOperation::Closing(result);
    }

private:
    bool ReadCorrespondingFile(const BatchFile& file) {
        if (!CustomFormLoaded) {
            return false;
        }
        QListWidget& list = *CustomForm().List1;
        if (file.Index >= list.count()) {
            return false;
        }
        list.setCurrentRow(file.Index);
        fileName_ = list.item(file.Index)->text().toStdString();
        return ReadSpectrumArrays(fileName_, operand_, operandReference_) != -1;
    }

    int16_t operation_;
    float constant_;
    std::string fileName_;
    bool useList_;
    std::vector<double> operand_;
    std::vector<double> operandReference_;
};

}  // namespace

void CreateCustomArithmeticFiles(int16_t Operation, float Constant, std::string FileName,
                                 int16_t UseList) {
    CustomArithmeticBatch batch(Operation, Constant, std::move(FileName), UseList);
    RunBatch(batch);
}
