#include "ops/analysis/interpolation_dialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/ui/center.h"

namespace {
constexpr const char* Extensions[] = {"ITP", "ILL", "IRR"};
}

frmInterpFile::frmInterpFile(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Interpolation File Setup"));

    const char* captions[] = {"Starting Wavelength", "Wavelength Step", "Channels"};
    for (std::size_t i = 0; i < Label3.size(); ++i) {
        Label3[i] = new QLabel(QString::fromLatin1(captions[i]), this);
    }
    Label4[0] = new QLabel(QStringLiteral("Start interpolation from this point"), this);
    Label4[1] = new QLabel(QStringLiteral("Interpolate using this step value"), this);
    Text2 = new QLineEdit(this);
    Text3 = new QLineEdit(this);
    Text4 = new QLineEdit(this);
    auto* grid = new QGridLayout;
    grid->addWidget(Label3[0], 0, 0);
    grid->addWidget(Text2, 0, 1);
    grid->addWidget(Label4[0], 0, 2);
    grid->addWidget(Label3[1], 1, 0);
    grid->addWidget(Text3, 1, 1);
    grid->addWidget(Label4[1], 1, 2);
    grid->addWidget(Label3[2], 2, 0);
    grid->addWidget(Text4, 2, 1);

    auto* naming = new QButtonGroup(this);
    Option1[0] =
        new QRadioButton(QStringLiteral("Create output filename using input filename"), this);
    Option1[1] = new QRadioButton(QStringLiteral("Prompt for output filename"), this);
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        naming->addButton(Option1[i], static_cast<int>(i));
        connect(Option1[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                Option1_Click(static_cast<int>(i));
            }
        });
    }

    Label1 = new QLabel(QStringLiteral("Appended file extension"), this);
    Combo1 = new QComboBox(this);
    Label2 = new QLabel(QStringLiteral("Enter custom file extension"), this);
    Text1 = new QLineEdit(this);
    auto* extensionRow = new QHBoxLayout;
    extensionRow->addWidget(Label1);
    extensionRow->addWidget(Combo1);
    extensionRow->addWidget(Label2);
    extensionRow->addWidget(Text1);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    auto* answerRow = new QHBoxLayout;
    answerRow->addStretch(1);
    answerRow->addWidget(Command1);
    answerRow->addWidget(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(Option1[0]);
    layout->addWidget(Option1[1]);
    layout->addLayout(extensionRow);
    layout->addLayout(answerRow);

    connect(Combo1, &QComboBox::currentIndexChanged, this,
            [this](int index) { Combo1_Click(index); });
    connect(Command1, &QPushButton::clicked, this, [this] {
        ok_ = true;
        accept();
    });
    connect(Command2, &QPushButton::clicked, this, [this] { reject(); });

    Option1[0]->setChecked(true);
    Combo1->addItems({QStringLiteral("ITP"), QStringLiteral("ILL"), QStringLiteral("IRR"),
                      QStringLiteral("Custom")});
    Combo1->setCurrentIndex(0);
    Combo1_Click(0);
    extension_ = "ITP";
    CenterForm(*this);
}

void frmInterpFile::Combo1_Click(int index) {
    Text1->setVisible(false);
    Label2->setVisible(false);
    if (index >= 0 && index < 3) {
        Text1->setText(QString::fromLatin1(Extensions[index]));
    } else if (index == 3) {
        Text1->clear();
        Text1->setVisible(true);
        Label2->setVisible(true);
    }
}

void frmInterpFile::Option1_Click(int index) {
    Combo1->setVisible(index == 0);
    Label1->setVisible(index == 0);
    // Back to the first extension even when it was already chosen, so the
    // custom box is hidden again.
    Combo1->setCurrentIndex(0);
    Combo1_Click(0);
}

void frmInterpFile::reject() {
    ok_ = false;
    QDialog::reject();
}
