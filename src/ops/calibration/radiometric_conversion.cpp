#include "ops/calibration/radiometric_conversion.h"

#include "frame/batch_host.h"
#include "ops/calibration/kernels/parabolic.h"
#include "ops/calibration/kernels/radiometric.h"
#include "spectrum/state.h"

bool ConvertsToRadiance() {
    return CurrentHeader.ForeopticCode < ForeopticCosineReceptor;
}

std::vector<double> ApplyRadiometricCalibration(const CalibrationSet& Set) {
    const auto channels =
        static_cast<std::size_t>(CurrentHeader.ChannelCount > 0 ? CurrentHeader.ChannelCount : 0);
    std::vector<double> out(channels, 0.0);
    if (ConvertsToRadiance()) {
        CalcRadiance(out, SpectrumData, Set.Response, Set.Lamp, Set.Baseline, CurrentHeader,
                     Set.CalHeader, CurrentHeader.InstrumentType);
    } else {
        CalcIrradiance(out, SpectrumData, Set.Response, Set.Lamp, CurrentHeader, Set.CalHeader,
                       CurrentHeader.InstrumentType);
    }
    return out;
}

bool ConvertToRadiometric(const std::string& FileName, bool ParabolicCorrect) {
    constexpr CalibrationCaller caller = CalibrationCaller::ConvertToRadiometric;
    CalibrationSet set;
    // Every value comes from this spectrum's own calibration: an embedded one
    // that lacks a record or buffer is refused, never filled from an earlier
    // file.
    CalibrationOutcome outcome =
        FileVersion >= 7 ? UseEmbeddedCalibration(caller, FileName, ConvertsToRadiance(), set)
                         : LoadCalibrationFiles(caller, CurrentHeader, FileName, set);
    if (outcome == CalibrationOutcome::Ready) {
        outcome = CheckRadiometricCalibration(caller, FileName, CurrentHeader,
                                              CurrentHeader.InstrumentType, set);
    }
    if (outcome != CalibrationOutcome::Ready) {
        MainHost().SetProgressValue(0);
        return false;
    }
    std::vector<double> out = ApplyRadiometricCalibration(set);
    if (ParabolicCorrect) {
        // A spectrum without joins to bend is shown as converted.
        ParabolicCorrectSpectrum(out, CurrentHeader);
    }
    DisplayData = std::move(out);
    return true;
}
