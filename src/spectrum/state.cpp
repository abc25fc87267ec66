#include "spectrum/state.h"

SpectrumHeader CurrentHeader;
SpectrumHeader OutputHeader;
ReferenceHeader ReferenceRecord;
ExtensionHeader CurrentExtensionHeader;
ExtensionArrays CurrentExtensionArrays;
uint8_t CalibrationCount = 0;
std::vector<CalibrationHeader> CalibrationHeaders;
std::vector<double> CalBufferABS;
std::vector<double> CalBufferBSE;
std::vector<double> CalBufferLMP;
std::vector<double> CalBufferFO;

std::vector<double> SpectrumData;
std::vector<double> ReferenceData;
std::vector<double> ReflectanceData;
std::vector<double> DisplayData;
std::vector<double> AbsoluteReflectanceData;
std::vector<double> FirstDerivData;
std::vector<double> SecondDerivData;
std::vector<double> Log1RData;

int16_t FileVersion = 0;
bool HasEmbeddedReference = false;
std::string AbsoluteReferenceName;
int16_t PlotFormat = 0;
int16_t PlotDeriv = 0;
std::string CurrentFileName;

void ResetSpectrumState() {
    CurrentHeader = {};
    OutputHeader = {};
    ReferenceRecord = {};
    CurrentExtensionHeader = {};
    CurrentExtensionArrays = {};
    CalibrationCount = 0;
    CalibrationHeaders.clear();
    for (auto* array : {&CalBufferABS, &CalBufferBSE, &CalBufferLMP, &CalBufferFO, &SpectrumData,
                        &ReferenceData, &ReflectanceData, &DisplayData, &AbsoluteReflectanceData,
                        &FirstDerivData, &SecondDerivData, &Log1RData}) {
        array->clear();
    }
    FileVersion = 0;
    HasEmbeddedReference = false;
    AbsoluteReferenceName.clear();
    PlotFormat = 0;
    PlotDeriv = 0;
    CurrentFileName.clear();
}

bool HasVnirDetector(uint8_t instrumentType) {
    switch (instrumentType) {
        case Vnir1:
        case Vnir2:
        case Vnir3:
        case VnirSwir4:
        case VnirSwir7:
        case Vnir10:
            return true;
        default:
            return false;
    }
}

bool HasSwirDetector(uint8_t instrumentType) {
    switch (instrumentType) {
        case Swir0:
        case VnirSwir4:
        case Swir5:
        case SingleGain6:
        case VnirSwir7:
            return true;
        default:
            return false;
    }
}
