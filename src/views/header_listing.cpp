// Listing one file's header in the header window.

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <algorithm>

#include "frame/batch_host.h"
#include "platform/text/codepage.h"
#include "platform/text/number.h"
#include "spectrum/header_text.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "views/header_window.h"

namespace {

// A text box holds no zero byte: what is put into one ends at its first, so a
// comment padded with zeros shows as its words.
void SetBoxText(QLineEdit* box, const std::string& ansi) {
    const auto end = std::find(ansi.begin(), ansi.end(), '\0');
    box->setText(QString::fromStdString(AnsiToUtf8(std::string(ansi.begin(), end))));
}

void SetCaption(QLabel* label, const std::string& text) {
    label->setText(QString::fromStdString(text));
}

std::string Int(long long value) {
    return std::to_string(value);
}

bool ShowsIntegrationTime(uint8_t type) {
    return type == Swir0 || HasVnirDetector(type);
}

// The absolute-reference name that older files keep in the application data:
// up to its first zero byte, nothing when the 32 bytes hold none.
std::string AbsoluteReferenceText(const SpectrumHeader& header) {
    const auto* name = header.ApplicationData.First.data() + 32;
    const auto* end = std::find(name, name + 32, uint8_t{0});
    return end == name + 32 ? std::string() : std::string(name, end);
}

void Show(std::initializer_list<QWidget*> widgets, bool visible) {
    for (QWidget* widget : widgets) {
        widget->setVisible(visible);
    }
}

}  // namespace

bool frmHeader::ListSpectrumHeader() {
    Show({fraAlarms, lblSaturation, lblTec1Alarm, lblTEC2Alarm}, false);
    MainHost().SetProgressValue(0);
    const QListWidgetItem* selected = List1->currentItem();
    ListedFileName = selected != nullptr ? selected->text().toStdString() : std::string();
    if (ReadSpectrumFile(ListedFileName) == -1) {
        return false;
    }
    const SpectrumHeader& h = CurrentHeader;
    const uint8_t type = h.InstrumentType;

    SetBoxText(Text1, CommentText(h));
    SetBoxText(Text7, Int(h.InstrumentNumber));
    SetBoxText(Text8, Int(h.CalibrationNumber));
    SetCaption(Label3, VersionByteText(h.ProgramVersion));
    SetCaption(Label4, VersionByteText(h.FormatVersion));
    SetCaption(Label5, SaveDateText(h.SaveTime) + " at " + SaveTimeText(h.SaveTime));

    Show({Label1[4], Text6}, false);
    if (ShowsIntegrationTime(type)) {
        Show({Label1[4], Text6}, true);
        SetBoxText(Text6, Int(h.IntegrationTime));
    }
    // Every instrument type shows its own wavelengths: a box left from the
    // file before could otherwise be saved into this one.
    SetBoxText(Text9, CStrSingle(h.Channel1Wavelength));
    SetBoxText(Text10, CStrSingle(h.WavelengthStep));
    SetCaption(Label2, Int(h.SampleCount));

    if (h.YMax - h.YMin > 0.0f && h.XMax - h.XMin > 0.0f) {
        SetCaption(Label16, CStrSingle(h.XMin));
        SetCaption(Label18, CStrSingle(h.XMax));
        SetCaption(Label17, CStrSingle(h.YMin));
        SetCaption(Label19, CStrSingle(h.YMax));
    } else {
        for (QLabel* label : {Label16, Label18, Label17, Label19}) {
            SetCaption(label, "N/A");
        }
    }
    SetCaption(Label20, Int(h.BitCount) + " bits");
    Label1[13]->setVisible((h.Flags[0] & FlagAvgFix) != 0);

    Show({Label1[14], Label22}, false);
    if (h.LampNumber != 0) {
        Show({Label1[14], Label22}, true);
        SetCaption(Label22, Int(h.LampNumber));
    }

    Show({Label1[15], Label1[16], Label1[23], Label1[24], Text2, Text3, Text4, Text5}, false);
    if (type == SingleGain6) {
        Show({Label1[15], Text2, Label1[23], Text3}, true);
        SetBoxText(Text2, Int(h.Swir1Gain));
        SetBoxText(Text3, Int(h.Swir1Offset));
    } else if (HasSwirDetector(type)) {
        Show({Label1[15], Label1[16], Label1[23], Label1[24], Text2, Text3, Text4, Text5}, true);
        SetBoxText(Text2, Int(h.Swir1Gain));
        SetBoxText(Text3, Int(h.Swir1Offset));
        SetBoxText(Text4, Int(h.Swir2Gain));
        SetBoxText(Text5, Int(h.Swir2Offset));
    }

    const auto calibrationName = [](std::size_t index) {
        return index < CalibrationHeaders.size() ? CalibrationHeaders[index].NameText()
                                                 : std::string();
    };
    if (h.ApplicationCode == AppAbsoluteReflectance) {
        SetCaption(lblBSE, "ABS:");
        Show({lblBSE, txtBSE}, true);
        Show({lblLMP, txtLMP, lblFO, txtFO}, false);
        fraCalBuffer->show();
        SetBoxText(txtBSE, FileVersion < 7 ? AbsoluteReferenceText(h) : calibrationName(0));
    } else if (FileVersion < 7 || (h.DataType != Radiance && h.DataType != Irradiance) ||
               CalibrationHeaders.size() < 3) {
        // Too few calibration records to name the three files: the block would
        // otherwise show those of the file listed before.
        fraCalBuffer->hide();
    } else {
        SetCaption(lblBSE, "BSE:");
        SetBoxText(txtBSE, calibrationName(0));
        SetBoxText(txtLMP, calibrationName(1));
        SetBoxText(txtFO, calibrationName(2));
        Show({lblBSE, txtBSE, lblLMP, txtLMP, lblFO, txtFO, fraCalBuffer}, true);
    }

    Show({Label1[17], Label1[18], Label1[27], Label9, Label10, Label6}, false);
    if (HasVnirDetector(type) && h.DarkSubtracted == 1) {
        Show({Label1[17], Label9}, true);
        SetCaption(Label9, Int(h.DarkCount));
        if (h.DarkTime != -1) {
            Show({Label1[18], Label10}, true);
            SetCaption(Label10, CTimeToText(h.DarkTime));
        }
        Show({Label1[27], Label6}, true);
        SetCaption(Label6, Int(h.DarkCorrectionValue));
    }

    Show({Label1[20], Label1[21], Label11, Label12}, false);
    const bool storedReference =
        FileVersion < 2
            ? (h.DataType == Reflectance || h.DataType == Transmittance || h.DataType == Absorbance)
            : ReferenceRecord.ReferenceFlag != 0;
    if (storedReference) {
        Show({Label1[20], Label11}, true);
        SetCaption(Label11, Int(h.ReferenceCount));
        if (h.ReferenceTime != -1) {
            Show({Label1[21], Label12}, true);
            SetCaption(Label12, CTimeToText(h.ReferenceTime));
        }
    }

    Combo1->clear();
    Combo1->addItems({QStringLiteral("Undefined"), QStringLiteral("0"), QStringLiteral("180")});
    switch (h.ForeopticCode) {
        case ForeopticUndefined:
            Combo1->setCurrentIndex(0);
            break;
        case ForeopticNone:
            Combo1->setCurrentIndex(1);
            break;
        case ForeopticCosineReceptor:
            Combo1->setCurrentIndex(2);
            break;
        default:
            Combo1->addItem(QString::number(h.ForeopticCode));
            Combo1->setCurrentIndex(3);
            break;
    }
    Combo2->clear();
    Combo2->addItems({QStringLiteral("Raw"), QStringLiteral("Reflectance"),
                      QStringLiteral("Radiance"), QStringLiteral("No-Units"),
                      QStringLiteral("Irradiance"), QStringLiteral("QI-Type"),
                      QStringLiteral("Other")});
    Combo2->setCurrentIndex(h.DataType <= QuantumIntensity ? h.DataType : 6);

    const GpsData& gps = h.Gps;
    SetBoxText(Text11[0], (gps.Latitude > 0 ? "N" : "S") + CStrDouble(gps.Latitude));
    SetBoxText(Text11[1], (gps.Longitude > 0 ? "W" : "E") + CStrDouble(gps.Longitude));
    SetBoxText(Text11[2], CStrDouble(gps.Altitude));
    SetBoxText(Text11[3], GetGpsTimeText());

    const DetectorData& d = h.Detector;
    const bool detector = d.SerialNumber != 0;
    SetCaption(lblSNValue, detector ? Int(d.SerialNumber) : "");
    SetCaption(lblSignalValue, detector ? Format(d.SignalMean, "0.000E-00") : "");
    SetCaption(lblDarkValue, detector ? Format(d.DarkMean, "0.000E-00") : "");
    SetCaption(lblRefValue, detector ? Format(d.ReferenceMean, "0.0000") : "");
    SetCaption(lblStatusValue, detector ? GetStatusText(d.Status) : "");
    SetCaption(lblGainValue,
               detector ? FormatExponentText(static_cast<uint8_t>(d.Status & 0xFF)) : "");
    SetCaption(lblAvgValue, detector ? Int(d.Averaging) : "");
    SetCaption(lblTempValue, detector ? Format(d.Temperature, "0.0") : "");
    SetCaption(lblHumidValue, detector ? Format(d.Humidity, "0.0") : "");

    const uint8_t alarms = h.Flags[1];
    lblSaturation->setVisible((alarms & FlagSaturation) != 0);
    if ((alarms & FlagSaturation) != 0) {
        fraAlarms->show();
    }
    if ((alarms & FlagTec1) != 0) {
        Show({lblTec1Alarm, fraAlarms}, true);
    }
    if ((alarms & FlagTec2) != 0) {
        Show({lblTEC2Alarm, fraAlarms}, true);
    }
    return true;
}

bool frmHeader::ValidateSpectrumFile(const std::string& FileName,
                                     const std::array<uint8_t, 3>& Signature) {
    return CheckSpectrumSignature(FileName, Signature);
}
