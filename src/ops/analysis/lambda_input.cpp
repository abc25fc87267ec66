#include "ops/analysis/lambda_input.h"

#include <QAction>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "frame/batch_host.h"
#include "frame/batch_pattern.h"
#include "frame/helpers.h"
#include "frame/settings.h"
#include "ops/analysis/kernels/band_set_file.h"
#include "platform/text/convert.h"
#include "platform/ui/center.h"
#include "platform/ui/common_dialog.h"
#include "platform/ui/ui.h"

namespace {

constexpr const char* DialogTitle = "Select Lambda Stats File";
// Far beyond any band set: 32767 bands of two long numbers.
constexpr std::size_t MaxBandSetFileSize = 4u * 1024 * 1024;

frmLamInput* KeptForm = nullptr;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

std::string TextOf(const QListWidget& list, int row) {
    return list.item(row)->text().toStdString();
}

void Warn(const std::string& text) {
    MsgBox(text, vbOKOnly + vbExclamation, AppTitle);
}

// A typed band edge: a number rounded half to even to a whole nanometre.
std::optional<int16_t> TypedEdge(const QLineEdit& box) {
    const auto value = ParseDouble(box.text().toStdString());
    if (!value) {
        return std::nullopt;
    }
    try {
        return CInt(*value);
    } catch (const VbError&) {
        return std::nullopt;
    }
}

// The whole file, or nothing after a message naming it.
std::optional<std::vector<uint8_t>> ReadBandSetBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Warn("File Error\r" + path + " could not be opened.");
        return std::nullopt;
    }
    std::vector<uint8_t> bytes;
    char chunk[4096];
    while (in) {
        in.read(chunk, sizeof chunk);
        const auto got = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + got > MaxBandSetFileSize) {
            Warn(path + " is too large to be a band-set file.");
            return std::nullopt;
        }
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    if (in.bad()) {
        Warn("File Error\r" + path + " could not be read.");
        return std::nullopt;
    }
    return bytes;
}

std::string BandSetProblemText(const BandSetError& error) {
    switch (error.Problem) {
        case BandSetProblem::BadCount:
            return "it does not start with the number of bands";
        case BandSetProblem::MissingLine:
            return "the file ends before this line";
        case BandSetProblem::NotNumbers:
            return "the band's start and end are not both numbers";
        case BandSetProblem::StartNotBelowEnd:
            return "the band's start is not below its end";
        case BandSetProblem::None:
            break;
    }
    return "it cannot be read";
}

}  // namespace

frmLamInput::frmLamInput(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Lambda Integration Inputs"));

    auto* menu = new QMenuBar(this);
    mnuLoad = menu->addAction(QStringLiteral("Load"));
    mnuSave = menu->addAction(QStringLiteral("Save"));

    Frame1 = new QGroupBox(QStringLiteral("Bands"), this);
    auto* edges = new QHBoxLayout;
    const char* captions[] = {"Start", "End"};
    for (std::size_t i = 0; i < Text1.size(); ++i) {
        Label1[i] = new QLabel(QString::fromLatin1(captions[i]), Frame1);
        Text1[i] = new QLineEdit(Frame1);
        edges->addWidget(Label1[i]);
        edges->addWidget(Text1[i]);
    }
    List1 = new QListWidget(Frame1);
    List2 = new QListWidget(Frame1);
    List3 = new QListWidget(Frame1);
    List2->hide();
    List3->hide();
    Command1 = new QPushButton(QStringLiteral("Add"), Frame1);
    Command2 = new QPushButton(QStringLiteral("Remove"), Frame1);
    Command5 = new QPushButton(QStringLiteral("Clear"), Frame1);
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(Command1);
    listButtons->addWidget(Command2);
    listButtons->addWidget(Command5);
    listButtons->addStretch(1);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(List1, 1);
    listRow->addLayout(listButtons);
    auto* frameLayout = new QVBoxLayout(Frame1);
    frameLayout->addLayout(edges);
    frameLayout->addLayout(listRow);

    auto* modes = new QButtonGroup(this);
    auto* modeRow = new QHBoxLayout;
    const char* modeCaptions[] = {"Integrate", "Average"};
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        Option1[i] = new QRadioButton(QString::fromLatin1(modeCaptions[i]), this);
        modes->addButton(Option1[i], static_cast<int>(i));
        modeRow->addWidget(Option1[i]);
    }
    Option1[0]->setChecked(true);

    Command3 = new QPushButton(QStringLiteral("OK"), this);
    Command3->setEnabled(false);
    Command4 = new QPushButton(QStringLiteral("Cancel"), this);
    auto* answerRow = new QHBoxLayout;
    answerRow->addStretch(1);
    answerRow->addWidget(Command3);
    answerRow->addWidget(Command4);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menu);
    layout->addWidget(Frame1);
    layout->addLayout(modeRow);
    layout->addLayout(answerRow);

    connect(mnuLoad, &QAction::triggered, this, [this] { mnuLoad_Click(); });
    connect(mnuSave, &QAction::triggered, this, [this] { mnuSave_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { accept(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });

    adjustSize();
    CenterForm(*this);
}

void frmLamInput::AddBand(const std::string& start, const std::string& end) {
    List1->addItem(Text(start + "   " + end));
    List2->addItem(Text(start));
    List3->addItem(Text(end));
    Command3->setEnabled(true);
}

void frmLamInput::ClearBands() {
    List1->clear();
    List2->clear();
    List3->clear();
    Command3->setEnabled(false);
}

void frmLamInput::Command1_Click() {
    const auto start = TypedEdge(*Text1[0]);
    const auto end = TypedEdge(*Text1[1]);
    if (!start || !end || *start >= *end) {
        Warn("Input Error");
        return;
    }
    AddBand(std::to_string(*start), std::to_string(*end));
}

void frmLamInput::Command2_Click() {
    const int row = List1->currentRow();
    if (List1->count() == 0 || row < 0) {
        return;
    }
    delete List1->takeItem(row);
    delete List2->takeItem(row);
    delete List3->takeItem(row);
    if (List1->count() == 0) {
        Command3->setEnabled(false);
    }
}

void frmLamInput::Command5_Click() {
    ClearBands();
}

void frmLamInput::Command4_Click() {
    ClearBands();
    QDialog::reject();
}

void frmLamInput::reject() {
    Command4_Click();
}

void frmLamInput::mnuSave_Click() {
    const std::string path =
        ShowSaveDialog(DialogTitle, "LamStat Files (*.lsa)|*.lsa", ".lsa", true);
    if (path.empty()) {
        return;
    }
    if (List1->count() == 0) {
        MsgBox("Nothing to Save", vbOKCancel, AppTitle);
        return;
    }
    BandSet set;
    set.Average = Option1[1]->isChecked();
    for (int row = 0; row < List1->count(); ++row) {
        set.Bands.push_back(LambdaBand{TextOf(*List2, row), TextOf(*List3, row)});
    }
    const std::string text = BandSetFileText(set);
    if (!WriteOutputFile(path, std::vector<uint8_t>(text.begin(), text.end()))) {
        return;
    }
    List1->setCurrentRow(0);
    List2->setCurrentRow(0);
    List3->setCurrentRow(0);
}

void frmLamInput::mnuLoad_Click() {
    std::string path;
    try {
        CommonDialog& dialog = MainHost().CommonDialog1();
        dialog.CancelError = true;
        dialog.InitDir = InputDirectory;
        dialog.DialogTitle = DialogTitle;
        dialog.MaxFileSize = 20000;
        dialog.FileName.clear();
        dialog.DefaultExt.clear();
        dialog.Filter = "LamStat (*.lsa)|*.lsa";
        dialog.FilterIndex = 1;
        dialog.Flags = cdlOFNLongNames | cdlOFNNoDereferenceLinks | cdlOFNExplorer |
                       cdlOFNFileMustExist | cdlOFNHideReadOnly;
        dialog.ShowOpen();
        path = dialog.FileName;
    } catch (...) {
        return;
    }
    if (path.empty()) {
        return;
    }
    const auto bytes = ReadBandSetBytes(path);
    if (!bytes) {
        return;
    }
    BandSet set;
    BandSetError error;
    // A file that is not a sound band set leaves the bands as they were.
    if (!ParseBandSetFile(bytes->data(), bytes->size(), set, error)) {
        Warn(path + ", line " + std::to_string(error.Line) + ": " + BandSetProblemText(error) +
             ".\r\nNo bands were loaded.");
        return;
    }
    Option1[set.Average ? 1 : 0]->setChecked(true);
    ClearBands();
    for (const LambdaBand& band : set.Bands) {
        AddBand(band.Start, band.End);
    }
}

frmLamInput& LamInputForm() {
    if (KeptForm == nullptr) {
        KeptForm = new frmLamInput(nullptr);
    }
    return *KeptForm;
}

void UnloadLamInputForm() {
    delete KeptForm;
    KeptForm = nullptr;
}
