#include "io/wavelength_check.h"

#include "io/formats/wavelength_axis.h"
#include "platform/ui/ui.h"
#include "spectrum/state.h"

bool CheckWavelengths(const std::string& inputPath) {
    if (WavelengthAxisFinite(CurrentHeader.Channel1Wavelength, CurrentHeader.WavelengthStep,
                             SpectrumData.size())) {
        return true;
    }
    MsgBox(inputPath + " holds a wavelength that is not a number. The file was skipped.",
           vbOKOnly + vbExclamation, AppTitle);
    return false;
}
