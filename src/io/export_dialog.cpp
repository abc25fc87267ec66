#include "io/export_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "frame/batch_host.h"
#include "io/ascii_export.h"
#include "ops/analysis/derivative_gap.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

namespace {

constexpr const char* RowsWarning =
    "Data output in ROW organization is non-standatd\r"
    "and may not import well into programs like EXCEL.\r"
    "This format (without header,axis and title info) is acceptable for MatLab.\r"
    "\r"
    "Do you want to Continue?";

template <std::size_t N>
void MakeButtons(std::array<QRadioButton*, N>& buttons, const std::array<const char*, N>& captions,
                 QWidget* parent) {
    auto* group = new QButtonGroup(parent);
    for (std::size_t i = 0; i < N; ++i) {
        buttons[i] = new QRadioButton(QString::fromLatin1(captions[i]), parent);
        group->addButton(buttons[i], static_cast<int>(i));
    }
}

template <std::size_t N>
void Enable(const std::array<QRadioButton*, N>& buttons, bool enabled) {
    for (QRadioButton* button : buttons) {
        button->setEnabled(enabled);
    }
}

// Leaves no button of an exclusive group selected.
template <std::size_t N>
void Deselect(const std::array<QRadioButton*, N>& buttons) {
    QButtonGroup* group = buttons[0]->group();
    group->setExclusive(false);
    for (QRadioButton* button : buttons) {
        button->setChecked(false);
    }
    group->setExclusive(true);
}

bool On(const QAbstractButton* control) {
    return control->isEnabled() && control->isChecked();
}

}  // namespace

frmExport::frmExport(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ASCII Export"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);

    Frame8 = new QGroupBox(QStringLiteral("Data Format for .zel files only"), this);
    MakeButtons(optDataFormat,
                {"DN", "Reflectance", "Transmittance", "Log 1/R", "Log 1/T", "Radiance/Irradiance"},
                Frame8);
    chkAbsolute = new QCheckBox(QStringLiteral("Absolute"), Frame8);
    chkPC = new QCheckBox(QStringLiteral("Parabolic Correct"), Frame8);
    chkAbsolute->setEnabled(false);
    chkPC->setEnabled(false);
    auto* formats = new QGridLayout(Frame8);
    for (std::size_t i = 0; i < optDataFormat.size(); ++i) {
        formats->addWidget(optDataFormat[i], static_cast<int>(i % 3), static_cast<int>(i / 3));
    }
    formats->addWidget(chkAbsolute, 0, 2);
    formats->addWidget(chkPC, 1, 2);

    Frame7 = new QGroupBox(QStringLiteral("Derivative"), this);
    MakeButtons(optDerivative, {"None", "1st", "2nd"}, Frame7);
    cmdDerivative = new QPushButton(QStringLiteral("Set Derivative Gap"), Frame7);
    auto* derivatives = new QHBoxLayout(Frame7);
    for (QRadioButton* button : optDerivative) {
        derivatives->addWidget(button);
    }
    derivatives->addStretch(1);
    derivatives->addWidget(cmdDerivative);

    Frame3 = new QGroupBox(QStringLiteral("Headers"), this);
    Check3 = new QCheckBox(QStringLiteral("Print Header Information"), Frame3);
    Check4 = new QCheckBox(QStringLiteral("Print ONLY Header Information"), Frame3);
    auto* headers = new QVBoxLayout(Frame3);
    headers->addWidget(Check3);
    headers->addWidget(Check4);

    Frame1 = new QGroupBox(QStringLiteral("Data Organization"), this);
    MakeButtons(Option1, {"Columns", "Rows"}, Frame1);
    auto* organization = new QVBoxLayout(Frame1);
    organization->addWidget(Option1[0]);
    organization->addWidget(Option1[1]);

    Frame2 = new QGroupBox(QStringLiteral("X-Axis"), this);
    Check2 = new QCheckBox(QStringLiteral("Print X-Axis"), Frame2);
    MakeButtons(Option2, {"Wavelength", "Channel #"}, Frame2);
    auto* axis = new QVBoxLayout(Frame2);
    axis->addWidget(Check2);
    axis->addWidget(Option2[0]);
    axis->addWidget(Option2[1]);

    Frame6 = new QGroupBox(this);
    Label1 = new QLabel(QStringLiteral("Field Seperator"), Frame6);
    Combo1 = new QComboBox(Frame6);
    Combo1->setEditable(false);
    Check1[2] = new QCheckBox(QStringLiteral("Output to a Single File"), Frame6);
    auto* separator = new QGridLayout(Frame6);
    separator->addWidget(Label1, 0, 0);
    separator->addWidget(Combo1, 0, 1);
    separator->addWidget(Check1[2], 1, 0, 1, 2);

    Frame5 = new QGroupBox(QStringLiteral("Column Title"), this);
    Check5 = new QCheckBox(QStringLiteral("Print Column Title"), Frame5);
    MakeButtons(Option3,
                {"Print FileName(s) at Top of Column", "Print Collect Time(s) at Top of Column"},
                Frame5);
    auto* titles = new QVBoxLayout(Frame5);
    titles->addWidget(Check5);
    titles->addWidget(Option3[0]);
    titles->addWidget(Option3[1]);

    Frame4 = new QGroupBox(this);
    Check1[1] = new QCheckBox(QStringLiteral("Print Description/Note"), Frame4);
    Text1 = new QPlainTextEdit(Frame4);
    Text1->setMaximumHeight(90);
    auto* note = new QVBoxLayout(Frame4);
    note->addWidget(Check1[1]);
    note->addWidget(Text1);

    cmdExport = new QPushButton(QStringLiteral("&OK"), this);
    cmdExport->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    auto* answers = new QHBoxLayout;
    answers->addStretch(1);
    answers->addWidget(cmdExport);
    answers->addWidget(cmdCancel);

    auto* grid = new QGridLayout;
    grid->addWidget(Frame3, 0, 0);
    grid->addWidget(Frame1, 0, 1);
    grid->addWidget(Frame2, 1, 0);
    grid->addWidget(Frame6, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame8);
    layout->addWidget(Frame7);
    layout->addLayout(grid);
    layout->addWidget(Frame5);
    layout->addWidget(Frame4);
    layout->addLayout(answers);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // A box set from code runs its handler as a click would, so the rules
    // below cascade however a box changes.
    for (std::size_t i = 0; i < optDataFormat.size(); ++i) {
        connect(optDataFormat[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                optDataFormat_Click(static_cast<int>(i));
            }
        });
    }
    for (std::size_t i = 0; i < optDerivative.size(); ++i) {
        connect(optDerivative[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                Derivative = static_cast<int16_t>(i);
            }
        });
    }
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                Option1_Click(static_cast<int>(i));
            }
        });
    }
    connect(cmdDerivative, &QPushButton::clicked, this, [] { SelectDerivativeGap(); });
    connect(Check2, &QCheckBox::toggled, this, [this] { Check2_Click(); });
    connect(Check3, &QCheckBox::toggled, this, [this] { Check3_Click(); });
    connect(Check4, &QCheckBox::toggled, this, [this] { Check4_Click(); });
    connect(Check5, &QCheckBox::toggled, this, [this] { Check5_Click(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { cmdCancel_Click(); });
    connect(cmdExport, &QPushButton::clicked, this, [this] { cmdExport_Click(); });

    Form_Load();
}

void frmExport::Form_Load() {
    CenterForm(*this);
    Option1[0]->setChecked(true);
    Enable(Option2, true);
    Check2->setChecked(true);
    Option2[0]->setChecked(true);
    Enable(Option3, true);
    Check5->setChecked(true);
    Option3[0]->setEnabled(true);
    Combo1->addItem(QStringLiteral("Comma"), 44);
    Combo1->addItem(QStringLiteral("SemiColon"), 59);
    Combo1->addItem(QStringLiteral("Tab"), 9);
    Combo1->setCurrentIndex(2);
    optDataFormat[0]->setChecked(true);
    optDerivative[0]->setChecked(true);
    DataFormat = 0;
    Derivative = 0;
}

void frmExport::optDataFormat_Click(int index) {
    DataFormat = static_cast<int16_t>(index);
    chkAbsolute->setEnabled(index == 1);
    chkPC->setEnabled(index == 5);
}

void frmExport::Check2_Click() {
    Enable(Option2, Check2->isChecked());
    if (Check2->isChecked()) {
        Option2[0]->setChecked(true);
    }
}

void frmExport::Check3_Click() {
    // One header block per spectrum needs a file per spectrum.
    if (Check3->isChecked()) {
        Check1[2]->setChecked(false);
        Check1[2]->setEnabled(false);
    } else {
        Check1[2]->setEnabled(true);
    }
}

void frmExport::Check4_Click() {
    const bool headerOnly = Check4->isChecked();
    if (headerOnly) {
        Enable(Option1, false);
        Check2->setChecked(false);
        Check2->setEnabled(false);
        Check3->setChecked(false);
        Check3->setEnabled(false);
        Deselect(Option3);
        Enable(Option3, false);
        Check5->setChecked(false);
        Check5->setEnabled(false);
    } else {
        Enable(Option1, true);
        Check2->setEnabled(true);
        Check3->setEnabled(true);
        Check5->setEnabled(true);
    }
}

void frmExport::Check5_Click() {
    Enable(Option3, Check5->isChecked());
    if (Check5->isChecked()) {
        Option3[0]->setChecked(true);
    }
}

void frmExport::Option1_Click(int index) {
    const bool rows = index == 1;
    Option3[0]->setText(rows ? QStringLiteral("Print FileName(s) at Left of Row")
                             : QStringLiteral("Print FileName(s) at Top of Column"));
    Option3[1]->setText(rows ? QStringLiteral("Print Collect Time(s) at Left of Row")
                             : QStringLiteral("Print Collect Time(s) at Top of Column"));
    Check5->setText(rows ? QStringLiteral("Print Row Title")
                         : QStringLiteral("Print Column Title"));
    Frame5->setTitle(rows ? QStringLiteral("Row Title") : QStringLiteral("Column Title"));
}

AsciiLayout frmExport::Layout() const {
    AsciiLayout layout;
    layout.Separator = static_cast<char>(Combo1->currentData().toInt());
    layout.PrintHeader = On(Check3);
    layout.HeaderOnly = On(Check4);
    layout.PrintNote = On(Check1[1]);
    layout.Note = Text1->toPlainText().toStdString();
    layout.Organization = On(Option1[0])   ? AsciiOrganization::Columns
                          : On(Option1[1]) ? AsciiOrganization::Rows
                                           : AsciiOrganization::None;
    layout.PrintX = On(Check2);
    layout.Axis = Option2[1]->isChecked() ? AsciiAxis::Channel : AsciiAxis::Wavelength;
    layout.PrintTitle = On(Check5);
    layout.Title = On(Option3[0])   ? AsciiTitle::FileName
                   : On(Option3[1]) ? AsciiTitle::CollectTime
                                    : AsciiTitle::None;
    return layout;
}

void frmExport::reject() {
    cmdCancel_Click();
}

void frmExport::cmdCancel_Click() {
    hide();
}

void frmExport::cmdExport_Click() {
    if (On(Option1[1]) &&
        MsgBox(RowsWarning, vbYesNo + vbInformation + vbDefaultButton2, AppTitle) == vbNo) {
        return;
    }
    hide();
    DoEvents();
    MainHost().SetMousePointer(vbHourglass);
    Absolute = chkAbsolute->isChecked() ? 1 : 0;
    ParabolicCorrect = chkPC->isChecked() ? 1 : 0;
    // The one box that belongs to the chosen format decides; a box left
    // checked under another format counts for nothing.
    const int16_t Correction = (DataFormat == 1 ? Absolute : ParabolicCorrect) != 0 ? -1 : 0;
    const AsciiLayout layout = Layout();
    if (On(Check1[2])) {
        ExportAsciiSingleFile(layout, DataFormat, Derivative, Correction);
    } else {
        ExportAsciiFiles(layout, DataFormat, Derivative, Correction);
    }
    MainHost().SetMousePointer(vbDefault);
}

void ShowAsciiExport() {
    frmExport form;
    ShowModal(form);
}
