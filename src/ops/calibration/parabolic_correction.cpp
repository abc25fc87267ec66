#include "ops/calibration/parabolic_correction.h"

#include "frame/batch_pattern.h"
#include "ops/calibration/kernels/parabolic.h"
#include "platform/text/convert.h"
#include "platform/text/number.h"
#include "platform/ui/ui.h"
#include "spectrum/stamps.h"
#include "spectrum/state.h"

namespace {

const char* const CrLf = "\r\n";

enum class SameVertices { NotAsked, Yes, No };

void Refuse(const std::string& name, const std::string& why) {
    MsgBox(name + " can't be parabolic corrected: " + why, vbOKOnly + vbExclamation, AppTitle);
}

class ParabolicBatch : public BatchOperation {
public:
    ParabolicBatch() {
        Extension = ".pco";
        OnNo = NoAnswer::SkipsFile;
    }

    BatchStep BeforePrompt(BatchFile& file) override {
        const std::string& name = file.InputPath;
        if (CurrentHeader.Flags[0] & FlagCorrected) {
            MsgBox(name + " has already been corrected", vbOKOnly + vbInformation, AppTitle);
            return BatchStep::Skip;
        }
        const bool radiometric =
            CurrentHeader.DataType == Radiance || CurrentHeader.DataType == Irradiance;
        if (!radiometric || CurrentHeader.InstrumentType != VnirSwir4) {
            return BatchStep::Skip;
        }
        const float first = CurrentHeader.Channel1Wavelength;
        const float splice1 = CurrentHeader.Splice1Wavelength;
        const float splice2 = CurrentHeader.Splice2Wavelength;
        const std::size_t channels = SpectrumData.size();
        // Refused before the vertices are asked for: no vertex could help.
        if (!VnirJoinInside(channels, first, splice1)) {
            Refuse(name, "the first splice lies outside the spectrum.");
            return BatchStep::Skip;
        }
        if (!Swir2JoinInside(channels, first, splice2)) {
            Refuse(name, "the second splice lies outside the spectrum.");
            return BatchStep::Skip;
        }

        if (file.Count > 1 && same_ == SameVertices::NotAsked) {
            const int answer = MsgBox("Will the  Vertex Points Be The Same For All Files?",
                                      vbYesNo + vbInformation, AppTitle);
            same_ = answer == vbYes ? SameVertices::Yes : SameVertices::No;
        } else if (same_ == SameVertices::No) {
            vnirVertex_ = 0;
            swir2Vertex_ = 0;
        }
        if (!AskVnirVertex(name) || !AskSwir2Vertex(name)) {
            return BatchStep::EndRun;
        }

        const ParabolicBend vnir = PlanVnirBend(channels, first, splice1, vnirVertex_);
        const ParabolicBend swir2 = PlanSwir2Bend(channels, first, splice2, swir2Vertex_);
        if (!vnir.Inside) {
            Refuse(name, "the VNIR vertex lies outside the spectrum.");
            return BatchStep::Skip;
        }
        if (!swir2.Inside) {
            Refuse(name, "the SWIR2 vertex lies outside the spectrum.");
            return BatchStep::Skip;
        }

        if (const BatchStep step = Bend(name, vnir, "VNIR"); step != BatchStep::Continue) {
            return step;
        }
        if (const BatchStep step = Bend(name, swir2, "SWIR2"); step != BatchStep::Continue) {
            return step;
        }
        CurrentHeader.Flags[0] |= FlagCorrected;
        return BatchStep::Continue;
    }

    std::vector<uint8_t> Write(BatchFile&) override {
        SetFileSignature(1, CurrentHeader);
        ClearApplicationData(CurrentHeader);
        std::vector<uint8_t> bytes;
        AppendHeader(bytes, CurrentHeader);
        AppendSingles(bytes, SpectrumData);
        return bytes;
    }

private:
    // A vertex typed as something other than a number is 0, which is never
    // valid, so the box comes back. False when the user gave no answer.
    static bool AskVertex(double& vertex, const std::string& prompt, const std::string& title,
                          const std::string& suggestion, auto valid) {
        while (!valid(vertex)) {
            const std::string answer = InputBox(prompt, title, suggestion);
            if (answer.empty()) {
                return false;
            }
            vertex = ParseDouble(answer).value_or(0);
        }
        return true;
    }

    bool AskVnirVertex(const std::string& name) {
        const float first = CurrentHeader.Channel1Wavelength;
        const float splice1 = CurrentHeader.Splice1Wavelength;
        const std::string prompt = name + CrLf + CStrSingle(first) +
                                   " nm is the Starting Wavelength" + CrLf + CStrSingle(splice1) +
                                   "nm is the First Splice Wavelength" + CrLf + CrLf +
                                   "Enter a Valid VNIR Vertex Location";
        return AskVertex(vnirVertex_, prompt, "VNIR Vertex", "675", [&](double v) {
            const auto single = static_cast<float>(v);
            return first < single && single < splice1;
        });
    }

    bool AskSwir2Vertex(const std::string& name) {
        const SpectrumHeader& h = CurrentHeader;
        const float upper =
            static_cast<float>(h.ChannelCount) * h.WavelengthStep + h.Channel1Wavelength - 1.0f;
        const std::string prompt =
            name + CrLf + CStrSingle(h.Splice1Wavelength) + " nm is the First Splice Wavelength" +
            CrLf + CStrSingle(h.Splice2Wavelength) + "nm is the Second Splice Wavelength" + CrLf +
            CrLf + "Enter a Valid SWIR2 Vertex Location";
        const double splice2 = h.Splice2Wavelength;
        return AskVertex(swir2Vertex_, prompt, "SWIR2 Vertex", "1975",
                         [&](double v) { return splice2 < v && v < static_cast<double>(upper); });
    }

    BatchStep Bend(const std::string& name, const ParabolicBend& plan, const std::string& part) {
        const BendResult result = ApplyParabolicBend(SpectrumData, plan);
        if (result.Outcome == BendOutcome::ZeroAtJoin) {
            const int answer = MsgBox(part + " Spectrum at join is 0.0 " + CrLf +
                                          "Spectrum cannot be corrected" + CrLf + "Skip this file?",
                                      vbOKCancel + vbInformation, AppTitle);
            return answer == vbOK ? BatchStep::Skip : BatchStep::EndRun;
        }
        if (readouts_) {
            // The SWIR2 line has always run its number on without a blank.
            const std::string lead = plan.Vnir ? "VNIR Corrected: The value at the splice is "
                                               : "SWIR2 Corrected: The value at the splice is";
            const int answer = MsgBox(name + CrLf + lead + CStrDouble(ParabolicReadout(result)) +
                                          CrLf + CrLf + "Continue to show splice points?",
                                      vbYesNo + vbInformation, AppTitle);
            if (answer == vbNo) {
                readouts_ = false;
            }
        }
        return BatchStep::Continue;
    }

    // Zero at the start of a run: never valid, so the first file asks.
    double vnirVertex_ = 0;
    double swir2Vertex_ = 0;
    SameVertices same_ = SameVertices::NotAsked;
    bool readouts_ = true;
};

}  // namespace

void ParabolicCorrectFiles() {
    ParabolicBatch batch;
    RunBatch(batch);
}
