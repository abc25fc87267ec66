// The texts the graph window shows for the mouse position and for the data
// point under the graph cursor.
#pragma once

#include <string>

// What a mouse position in graph coordinates (gx the wavelength in nm, gy the
// value) shows: the two status-bar panels and the wavenumber text that the
// point readout appends.
struct MouseReadout {
    std::string Wavelength;      // gx, "0.0"
    std::string Value;           // gy, "0.0000"
    std::string WavenumberText;  // 10^7 / gx in cm-1, or " " where gx has none
};
MouseReadout MouseTexts(double gx, double gy);

// "label -- x nm - " followed by the wavenumber text of the last mouse
// position; x in the general number text.
std::string PointText(const std::string& label, double x, const std::string& wavenumberText);
