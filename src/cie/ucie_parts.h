// What the parts of the control share inside the library: the instance
// state and the panel's controls.
#pragma once

#include <array>

#include "cie/chromaticity_diagram.h"
#include "cie/colorimetry.h"
#include "cie/ucie.h"

class GraphControl;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;

struct UCIE::State {
    CieState Cie;
    qint32 SelectedIllFile = ifD65;
    bool ShowColorFunctions = true;
    bool ShowIlluminates = true;
    bool ShowChromaticity = true;
    bool ShowPoint = true;
    bool ShowGrid = true;
    bool ShowWavelengths = true;
    float Gamma = 1.0f;
    // Whether each observer's diagram is finished; a change of grid,
    // wavelength labels or gamma forces both to be drawn again.
    std::array<bool, 2> DiagramDrawn{false, false};
    ChromaticityDiagram Diagram;
};

struct UCIE::Panel {
    QTabWidget* tabCIE = nullptr;
    // Value labels in the order results are shown: 2 degrees, then 10.
    std::array<QLabel*, 14> Values{};
    QComboBox* cboIlluminate = nullptr;
    QWidget* picColorFunction = nullptr;
    QWidget* picIlluminants = nullptr;
    GraphControl* Graph1 = nullptr;  // over picColorFunction
    GraphControl* Graph2 = nullptr;  // over picIlluminants
    std::array<QRadioButton*, 2> optCIE{};
    std::array<QCheckBox*, 2> chkIlluminate{};
    QLabel* picCIE = nullptr;
    std::array<QRadioButton*, 2> optChromaticity{};
    QCheckBox* chkShowPoint = nullptr;
    QCheckBox* chkShowWavelengths = nullptr;
    QCheckBox* chkShowGrid = nullptr;
    // txtX, txtY, txtZ, then txtR, txtG, txtB.
    std::array<QLineEdit*, 6> Boxes{};
    QLineEdit* txtGamma = nullptr;
};
