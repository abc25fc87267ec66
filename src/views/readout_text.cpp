#include "views/readout_text.h"

#include "platform/text/number.h"

MouseReadout MouseTexts(double gx, double gy) {
    MouseReadout texts;
    texts.Wavelength = Format(gx, "0.0");
    texts.Value = Format(gy, "0.0000");
    // A wavelength of 0 or below has no wavenumber.
    texts.WavenumberText = gx > 0 ? Format(10000000.0 / gx, "0.0") + " cm-1" : " ";
    return texts;
}

std::string PointText(const std::string& label, double x, const std::string& wavenumberText) {
    return label + " -- " + CStrDouble(x) + " nm - " + wavenumberText;
}
