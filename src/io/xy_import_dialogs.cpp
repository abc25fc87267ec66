#include "io/xy_import_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/text/convert.h"
#include "platform/text/number.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

namespace {

QLabel* BoldLabel(const char* text, QWidget* parent) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

constexpr const char* Separators[] = {" ", ",", "\t"};

}  // namespace

frmDelimiter::frmDelimiter(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ASCII XY Input Processing Step 1"));
    Label1 = BoldLabel("Please specify character separating X and Y values", this);
    const char* captions[] = {"Space", "Comma", "Tab"};
    auto* group = new QButtonGroup(this);
    auto* options = new QVBoxLayout;
    options->addWidget(Label1);
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        Option1[i] = new QRadioButton(QString::fromLatin1(captions[i]), this);
        group->addButton(Option1[i], static_cast<int>(i));
        options->addWidget(Option1[i]);
        connect(Option1[i], &QRadioButton::clicked, this,
                [this, i] { Option1_Click(static_cast<int>(i)); });
    }
    options->addStretch(1);
    Option1[2]->setChecked(true);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(options, 1);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, [this] { accept(); });
    connect(Command2, &QPushButton::clicked, this, [this] { reject(); });
    CenterForm(*this);
}

void frmDelimiter::Option1_Click(int index) {
    separator_ = Separators[index];
}

void frmDelimiter::reject() {
    separator_.clear();
    QDialog::reject();
}

frmAsciiImport::frmAsciiImport(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("ASCII XY Input Processing Step 2"));
    Label3 = BoldLabel("ASCII Data will be automatically interpolated to 1 nm wavelengths", this);
    Label4 = BoldLabel("Starting Wavelength", this);
    txtStartingWavelength = new QLineEdit(this);
    Check1 = new QCheckBox(QStringLiteral("Lamp Data Pre-Processing"), this);
    QFont bold = Check1->font();
    bold.setBold(true);
    Check1->setFont(bold);

    Frame1 = new QFrame(this);
    Frame1->setFrameShape(QFrame::Box);
    Label2 = new QLabel(QStringLiteral("Input data is:"), Frame1);
    Picture1 = new QWidget(Frame1);
    Option2[0] = new QRadioButton(QStringLiteral("uWatts/cm^2"), Picture1);
    Option2[1] = new QRadioButton(QStringLiteral("Watts/m^2"), Picture1);
    auto* units = new QVBoxLayout(Picture1);
    units->addWidget(Option2[0]);
    units->addWidget(Option2[1]);
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addWidget(Label2);
    frameLayout->addWidget(Picture1);
    Option2[1]->setChecked(true);
    Frame1->setVisible(false);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(Label4, 0, 0);
    grid->addWidget(txtStartingWavelength, 1, 0, Qt::AlignTop);
    grid->addWidget(Check1, 0, 1);
    grid->addWidget(Frame1, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label3);
    layout->addLayout(grid);
    layout->addLayout(buttons);

    connect(Check1, &QCheckBox::toggled, this, [this] { Check1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { reject(); });
}

void frmAsciiImport::SetStartingWavelength(double value) {
    startingWavelength_ = value;
    txtStartingWavelength->setText(QString::fromStdString(CStrDouble(value)));
}

void frmAsciiImport::Check1_Click() {
    Frame1->setVisible(Check1->isChecked());
}

void frmAsciiImport::Command1_Click() {
    const auto start = ParseDouble(txtStartingWavelength->text().toStdString());
    // Text that is no number would otherwise pass for 0 and end the run as a
    // Cancel does; the user corrects it instead.
    if (!start) {
        MsgBox("The Starting Wavelength must be a number.", vbOKOnly + vbExclamation, AppTitle);
        txtStartingWavelength->setFocus();
        return;
    }
    startingWavelength_ = *start;
    accept();
}

void frmAsciiImport::reject() {
    startingWavelength_ = 0;
    QDialog::reject();
}
