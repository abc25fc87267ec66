#include "views/colorimetry_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QListWidget>
#include <QPushButton>
#include <cmath>
#include <exception>
#include <span>

#include "cie/ucie.h"
#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "frame/settings.h"
#include "ops/analysis/spectral_transforms.h"
#include "ops/calibration/absolute_reflectance.h"
#include "ops/calibration/radiometric_conversion.h"
#include "platform/files/whole_file.h"
#include "platform/shell/paths.h"
#include "platform/text/convert.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"
#include "spectrum/reader.h"
#include "spectrum/state.h"
#include "views/colorimetry_report.h"

namespace {

constexpr const char* Title = "Colorimetry";

// The control weighs one value per nanometre; a spectrum on any other grid
// would be read as if it were on that one. Half a nanometre of drift over
// the 470 nm it uses is the most we let pass.
bool OnNanometreGrid(const SpectrumHeader& header) {
    return std::abs(static_cast<double>(header.WavelengthStep) - 1.0) <= 0.001;
}

bool IsRatio(int32_t dataType) {
    return dataType == 1 || dataType == 6;
}

ColorimetryValues ValuesOf(const UCIE& cie) {
    return {cie.x2bar(),     cie.y2bar(),     cie.z2bar(),      cie.x10bar(),    cie.y10bar(),
            cie.z10bar(),    cie.nx2(),       cie.ny2(),        cie.nx10(),      cie.ny10(),
            cie.u_prime_2(), cie.v_prime_2(), cie.u_prime_10(), cie.v_prime_10()};
}

// Resets a flag however the scope is left.
class Raised {
public:
    explicit Raised(bool& flag) : flag_(flag) { flag_ = true; }
    ~Raised() { flag_ = false; }
    Raised(const Raised&) = delete;
    Raised& operator=(const Raised&) = delete;

private:
    bool& flag_;
};

}  // namespace

frmColorimetry::frmColorimetry(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromLatin1(Title));

    List1 = new QListWidget(this);
    List1->setObjectName("List1");
    List1->setSelectionMode(QAbstractItemView::MultiSelection);
    List1->setGeometry(8, 8, 260, 440);
    chkSelectAll = new QCheckBox(QStringLiteral("Select All"), this);
    chkSelectAll->setObjectName("chkSelectAll");
    chkSelectAll->setGeometry(8, 458, 120, 24);
    cmdReport = new QPushButton(QStringLiteral("Report"), this);
    cmdReport->setObjectName("cmdReport");
    cmdReport->setGeometry(168, 454, 100, 30);
    cmdReport->setAutoDefault(false);
    UCIE1 = new UCIE(this);
    UCIE1->setObjectName("UCIE1");
    UCIE1->InitProperties();
    UCIE1->move(276, 8);
    setFixedSize(276 + UCIE1->width() + 8, UCIE1->height() + 16);

    // The list's click is any change of its selection, by the user or by
    // code; the check box's likewise any change of its value.
    connect(List1, &QListWidget::itemSelectionChanged, this, &frmColorimetry::List1_Click);
    connect(chkSelectAll, &QCheckBox::toggled, this, &frmColorimetry::chkSelectAll_Click);
    connect(cmdReport, &QPushButton::clicked, this, &frmColorimetry::cmdReport_Click);
    connect(UCIE1, &UCIE::IlluminateFileChanged, this,
            &frmColorimetry::UCIE1_IlluminateFileChanged);

    Form_Load();
}

void frmColorimetry::Form_Load() {
    CenterForm(*this);
    cmdReport->setEnabled(false);
    UCIE1->setShowChromaticity(false);
}

bool frmColorimetry::AnySelected() const {
    return !List1->selectedItems().isEmpty();
}

bool frmColorimetry::GetColorSpectrum(const std::string& FileName, std::vector<double>& Spectrum,
                                      int32_t& FirstWavelength, int32_t& DataKind) {
    if (ReadSpectrumFile(FileName) == -1) {
        return false;
    }
    if (!HasVnirDetector(CurrentHeader.InstrumentType)) {
        MsgBox(FileName + " does not have a vnir region.", vbOKOnly + vbExclamation, Title);
        return false;
    }
    if (!OnNanometreGrid(CurrentHeader)) {
        MsgBox(FileName + " is not sampled at 1 nm: colorimetry needs one value per nanometre.",
               vbOKOnly + vbExclamation, Title);
        return false;
    }
    FirstWavelength = CLng(CurrentHeader.Channel1Wavelength);
    DataKind = CurrentHeader.DataType;
    if (FileVersion < 2) {
        Spectrum = SpectrumData;
        return true;
    }
    switch (CurrentHeader.DataType) {
        case 1:
        case 6:
            if (CurrentHeader.ApplicationCode == AppAbsoluteReflectance) {
                if (ComputeAbsoluteReflectance() == -1) {
                    MsgBox(FileName + " has no absolute calibration.", vbOKOnly + vbExclamation,
                           Title);
                    return false;
                }
                Spectrum = AbsoluteReflectanceData;
            } else {
                if (!ComputeReflectance()) {
                    return false;
                }
                Spectrum = ReflectanceData;
            }
            return true;
        case 2:
        case 4:
            if (!ConvertToRadiometric(FileName, false)) {
                MainHost().SetProgressValue(0);
                return false;
            }
            Spectrum = DisplayData;
            return true;
        case 8:
            if (!ComputeLog1R()) {
                return false;
            }
            Spectrum = Log1RData;
            return true;
        default:
            Spectrum = SpectrumData;
            return true;
    }
}

void frmColorimetry::List1_Click() {
    if (SelectingAll) {
        return;
    }
    Raised updating(UpdatingSelectAll);
    if (chkSelectAll->isChecked()) {
        chkSelectAll->setChecked(false);
    }
    if (!AnySelected()) {
        return;
    }
    if (List1->selectedItems().size() == List1->count()) {
        chkSelectAll->setChecked(true);
    }
    cmdReport->setEnabled(true);

    // The entry clicked last, whether or not that click selected it.
    const QListWidgetItem* current = List1->currentItem();
    const std::string name = current != nullptr ? current->text().toStdString() : std::string();
    try {
        std::vector<double> spectrum;
        int32_t firstWavelength = 0;
        int32_t dataKind = 0;
        if (!GetColorSpectrum(name, spectrum, firstWavelength, dataKind)) {
            UCIE1->ClearCIE();
            return;
        }
        const int32_t ill = IsRatio(dataKind) ? UCIE1->SelectedIllFile() : UCIE::ifNone;
        UCIE1->CalcColorimetry(std::span<const double>(spectrum), dataKind, firstWavelength, ill);
    } catch (const std::exception& error) {
        // A spectrum the control cannot evaluate shows no stale values.
        MsgBox(name + " could not be evaluated: " + error.what() + ".", vbOKOnly + vbExclamation,
               Title);
        UCIE1->ClearCIE();
    }
}

void frmColorimetry::chkSelectAll_Click() {
    SelectAllToggle = !SelectAllToggle;
    if (UpdatingSelectAll) {
        return;
    }
    Raised selecting(SelectingAll);
    for (int i = 0; i < List1->count(); ++i) {
        List1->item(i)->setSelected(SelectAllToggle);
    }
    if (!AnySelected()) {
        cmdReport->setEnabled(false);
        UCIE1->ClearCIE();
        return;
    }
    cmdReport->setEnabled(true);
    SelectingAll = false;
    MakeCurrent(0);
}

void frmColorimetry::cmdReport_Click() {
    if (!AnySelected()) {
        return;
    }
    reporting_ = true;
    WriteColorimetryReport(*List1);
    reporting_ = false;
    if (closeAfterReport_) {
        closeAfterReport_ = false;
        close();
    }
}

void frmColorimetry::closeEvent(QCloseEvent* event) {
    // Closed while it reports, the window would hide and the report go on
    // unseen: the report ends at its next file as after No at the overwrite
    // prompt, and the window closes then.
    if (reporting_) {
        closeAfterReport_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void frmColorimetry::UCIE1_IlluminateFileChanged() {
    List1_Click();
}

void frmColorimetry::MakeCurrent(int index) {
    List1->setCurrentRow(index, QItemSelectionModel::NoUpdate);
    List1_Click();
}

void frmColorimetry::WriteColorimetryReport(QListWidget& List) {
    const files::WritingRun writing;
    int count = 0;
    bool yesToAll = false;
    for (int i = 0; i < List.count(); ++i) {
        if (!List.item(i)->isSelected()) {
            continue;
        }
        // The program is ending or the window closing: the reports written so
        // far stay, as after No at the overwrite prompt.
        if (RunEnding() || closeAfterReport_) {
            MainHost().SetProgressValue(0);
            return;
        }
        // The window shows each file as it is reported, with its messages.
        MakeCurrent(i);
        std::string name = List.item(i)->text().toStdString();
        try {
            if (ReadSpectrumFile(name) == -1 || !HasVnirDetector(CurrentHeader.InstrumentType) ||
                !OnNanometreGrid(CurrentHeader)) {
                continue;
            }
            const std::string output = BatchOutputName(name, ".col");
            if (FileExists(output) && !yesToAll) {
                const std::string answer =
                    AskOverwriteFile(output, "Overwrite?", List.count() >= 2);
                if (answer == "No") {
                    MainHost().SetProgressValue(0);
                    return;
                }
                if (answer == "Yes All") {
                    yesToAll = true;
                }
                DoEvents();
            }

            const uint8_t dataType = CurrentHeader.DataType;
            std::vector<double> spectrum;
            if (FileVersion < 2) {
                spectrum = SpectrumData;
            } else if (dataType == 0) {
                spectrum = SpectrumData;
            } else if (IsRatio(dataType)) {
                // The report weighs the relative reflectance, also of a file
                // marked as absolute.
                if (!ComputeReflectance()) {
                    continue;
                }
                spectrum = ReflectanceData;
            } else if (dataType == 2 || dataType == 4) {
                if (!ConvertToRadiometric(name, false)) {
                    MainHost().SetProgressValue(0);
                    return;
                }
                spectrum = DisplayData;
            } else if (dataType == 8) {
                if (!ComputeLog1R()) {
                    continue;
                }
                spectrum = Log1RData;
            } else {
                spectrum = DisplayData;
            }

            const int32_t ill = IsRatio(dataType) ? UCIE1->SelectedIllFile() : UCIE::ifNone;
            try {
                UCIE1->CalcColorimetry(std::span<const double>(spectrum), dataType,
                                       CLng(CurrentHeader.Channel1Wavelength), ill);
            } catch (const std::exception&) {
                // Making the entry current has told the user; an existing
                // report of the file is left as it was.
                continue;
            }
            const std::vector<uint8_t> bytes =
                ColorimetryReport(name, CurrentHeader, ColorimetryTypeName(dataType),
                                  IlluminantName(ill), ValuesOf(*UCIE1));
            if (!WriteOutputFile(output, bytes)) {
                MainHost().SetProgressValue(0);
                return;
            }
            ++count;
        } catch (const std::exception& error) {
            MsgBox(name + " could not be reported: " + error.what() + ".", vbOKOnly + vbExclamation,
                   Title);
        }
    }
    if (count == 0) {
        MsgBox("No Files Processed", vbOKOnly + vbInformation, AppTitle);
    } else {
        MsgBox(std::to_string(count) + " Files Processed", vbOKOnly + vbInformation, AppTitle);
    }
}

void ShowColorimetryWindow(const std::vector<std::string>& Files) {
    frmColorimetry form;
    for (const std::string& file : Files) {
        form.List1->addItem(QString::fromStdString(file));
    }
    ShowModal(form);
}
