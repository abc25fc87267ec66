#include "ops/analysis/custom_dialog.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "frame/batch_host.h"
#include "frame/settings.h"
#include "ops/analysis/state.h"
#include "platform/shell/paths.h"
#include "platform/text/convert.h"
#include "platform/text/vbstring.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

namespace {

constexpr int ShortHeight = 3600;
constexpr int TallHeight = 6135;
constexpr int TwipsPerPixel = 15;

constexpr const char* CorrespondingCaption = "Corresponding Files";
constexpr const char* PiText = "3.14159265359";

constexpr const char* BrowseFilter =
    "ZEL Varnel Files (*.zel)|*.zel|ZEL Spectrum Files (*.0?\?)|*.0?\?|ZEL Spectrum Files "
    "(*.1?\?)|*.1?\?|ZEL SpectrumFiles (*.2?\?)|*.2?\?|ZEL Spectrum Files (*.3?\?)|*.3?\?|ZEL "
    "Spectrum Files (*.4?\?)|*.4?\?|ZEL Spectrum Files (*.5?\?)|*.5?\?|ZEL Spectrum Files "
    "(*.6?\?)|*.6?\?|ZEL Spectrum Files (*.7?\?)|*.7?\?|ZEL Spectrum Files (*.8?\?)|*.8?\?|ZEL "
    "Spectrum Files (*.9?\?)|*.9?\?|ZEL Reflectance Files (*.ref)|*.ref|ZEL Radiance Files "
    "(*.rad)|*.rad|ZEL Irradiance Files (*.irr)|*.irr|ZEL Absolute Files (*.abs)|*.abs|ZEL "
    "P-Corrected Files (*.pco)|*.pco|All Files (*.*)|*.*";

constexpr const char* AddFilter =
    "All Files (*.*)|*.*|ZEL Spectrum Files (*.0?\?)|*.0?\?|ZEL Spectrum Files (*.1?\?)|*.1?\?|ZEL "
    "SpectrumFiles (*.2?\?)|*.2?\?|ZEL Spectrum Files (*.3?\?)|*.3?\?|ZEL Spectrum Files "
    "(*.4?\?)|*.4?\?|ZEL Spectrum Files (*.5?\?)|*.5?\?|ZEL Spectrum Files (*.6?\?)|*.6?\?|ZEL "
    "Spectrum Files (*.7?\?)|*.7?\?|ZEL Spectrum Files (*.8?\?)|*.8?\?|ZEL Spectrum Files "
    "(*.9?\?)|*.9?\?|ZEL Reflectance Files (*.ref)|*.ref|ZEL Radiance Files (*.rad)|*.rad|ZEL "
    "Irradiance Files (*.irr)|*.irr|ZEL Absolute Files (*.abs)|*.abs|ZEL P-Corrected Files "
    "(*.pco)|*.pco|ZEL Ratio Files (*.rt?)|*.rt?|ZEL Multiply Files (*.mt?)|*.mt?|ZEL Add Files "
    "(*.ad?)|*.ad?|ZEL Subtract Files (*.sb?)|*.sb?";

frmCustom* KeptForm = nullptr;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

void Warn(const std::string& text) {
    MsgBox(text, vbOKOnly + vbExclamation, AppTitle);
}

// Unchecks every button of a group whose buttons are otherwise exclusive.
template <std::size_t N>
void Uncheck(const std::array<QRadioButton*, N>& buttons) {
    QButtonGroup* group = buttons[0]->group();
    group->setExclusive(false);
    for (QRadioButton* button : buttons) {
        button->setChecked(false);
    }
    group->setExclusive(true);
}

template <std::size_t N>
int CheckedIndex(const std::array<QRadioButton*, N>& buttons) {
    for (std::size_t i = 0; i < N; ++i) {
        if (buttons[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// The reply of a file dialog that allows several files: one full path, or
// the folder followed by the names, NUL-separated.
std::vector<std::string> ChosenPaths(const std::string& reply) {
    std::vector<std::string> paths;
    const auto firstNul = reply.find('\0');
    if (firstNul == std::string::npos) {
        if (!reply.empty()) {
            paths.push_back(reply);
        }
        return paths;
    }
    std::string folder = Trim(reply.substr(0, firstNul));
    if (folder.empty() || folder.back() != PathSeparator) {
        folder += PathSeparator;
    }
    std::size_t start = firstNul + 1;
    while (start <= reply.size()) {
        const auto end = reply.find('\0', start);
        const std::string name =
            Trim(reply.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (!name.empty()) {
            paths.push_back(folder + name);
        }
        if (end == std::string::npos) {
            break;
        }
        start = end + 1;
    }
    return paths;
}

}  // namespace

frmCustom::frmCustom(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Custom Functions"));

    Frame1 = new QGroupBox(QStringLiteral("Operation"), this);
    auto* operations = new QButtonGroup(this);
    auto* operationLayout = new QHBoxLayout(Frame1);
    const char* operationCaptions[] = {"Ratio", "Multiply", "Add", "Subtract"};
    for (std::size_t i = 0; i < Option1.size(); ++i) {
        Option1[i] = new QRadioButton(QString::fromLatin1(operationCaptions[i]), Frame1);
        operations->addButton(Option1[i], static_cast<int>(i));
        operationLayout->addWidget(Option1[i]);
        connect(Option1[i], &QRadioButton::toggled, this, [this](bool checked) {
            if (checked) {
                Option1_Click();
            }
        });
    }

    Frame2 = new QGroupBox(QStringLiteral("Data Source"), this);
    Frame2->setEnabled(false);
    auto* sources = new QButtonGroup(this);
    auto* sourceButtons = new QHBoxLayout;
    const char* sourceCaptions[] = {"File", "Constant", "Corresponding Files "};
    for (std::size_t i = 0; i < Option2.size(); ++i) {
        Option2[i] = new QRadioButton(QString::fromLatin1(sourceCaptions[i]), Frame2);
        sources->addButton(Option2[i], static_cast<int>(i));
        sourceButtons->addWidget(Option2[i]);
        connect(Option2[i], &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) {
                Option2_Click(static_cast<int>(i));
            }
        });
    }
    Command1 = new QPushButton(QStringLiteral("Browse"), Frame2);
    Label1 = new QLabel(Frame2);
    Label1->setTextFormat(Qt::PlainText);
    Label1->setMinimumWidth(200);
    Text1 = new QLineEdit(Frame2);
    Image1 = new QToolButton(Frame2);
    Image1->setText(QString(QChar(0x03C0)));
    Image1->setToolTip(QStringLiteral("pi"));
    auto* operandRow = new QHBoxLayout;
    operandRow->addWidget(Command1);
    operandRow->addWidget(Label1, 1);
    operandRow->addWidget(Text1, 1);
    operandRow->addWidget(Image1);
    auto* sourceLayout = new QVBoxLayout(Frame2);
    sourceLayout->addLayout(sourceButtons);
    sourceLayout->addLayout(operandRow);

    Command2 = new QPushButton(QStringLiteral("OK"), this);
    Command2->setDefault(true);
    Command3 = new QPushButton(QStringLiteral("Cancel"), this);
    auto* answerRow = new QHBoxLayout;
    answerRow->addStretch(1);
    answerRow->addWidget(Command2);
    answerRow->addWidget(Command3);

    // Below the form's short height: uncovered only for corresponding files.
    listPanel_ = new QWidget(this);
    List1 = new QListWidget(listPanel_);
    Command4 = new QPushButton(QStringLiteral("Add"), listPanel_);
    Command5 = new QPushButton(QStringLiteral("Clear"), listPanel_);
    auto* listButtons = new QVBoxLayout;
    listButtons->addWidget(Command4);
    listButtons->addWidget(Command5);
    listButtons->addStretch(1);
    auto* listLayout = new QHBoxLayout(listPanel_);
    listLayout->setContentsMargins(0, 0, 0, 0);
    listLayout->addWidget(List1, 1);
    listLayout->addLayout(listButtons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2);
    layout->addLayout(answerRow);
    layout->addWidget(listPanel_);
    // The list of files sits below OK and Cancel, which Tab still reaches last.
    setTabOrder(Command5, Command2);
    setTabOrder(Command2, Command3);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Image1, &QToolButton::clicked, this, [this] { Image1_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });

    // Until a source is chosen there is no operand to enter.
    Label1->setEnabled(false);
    Command1->setVisible(false);
    Image1->setVisible(false);
    Text1->setEnabled(false);

    CustomFormLoaded = true;
    SetHeightTwips(ShortHeight);
    Option1[0]->setChecked(true);
    CenterForm(*this);
}

void frmCustom::SetHeightTwips(int twips) {
    heightTwips_ = twips;
    listPanel_->setVisible(twips > ShortHeight);
    adjustSize();
    resize(width(), std::max(minimumSizeHint().height(), twips / TwipsPerPixel));
}

void frmCustom::Option1_Click() {
    Frame2->setEnabled(true);
}

void frmCustom::Option2_Click(int index) {
    const bool file = index == 0;
    const bool constant = index == 1;
    SetHeightTwips(index == 2 ? TallHeight : ShortHeight);
    Label1->setEnabled(file);
    Command1->setVisible(file);
    Image1->setVisible(constant);
    Text1->setEnabled(constant);
}

// The label shows the file the dialog holds: a label left showing a file
// after the name was dropped would let OK pass with no operand, and the run
// would then silently not start.
void frmCustom::ForgetFile() {
    filename_.clear();
    Label1->clear();
}

void frmCustom::Command1_Click() {
    try {
        CommonDialog1.CancelError = true;
        CommonDialog1.DialogTitle = "Enter Data File to Use";
        CommonDialog1.InitDir = InputDirectory;
        CommonDialog1.Filter = BrowseFilter;
        CommonDialog1.Flags =
            cdlOFNHideReadOnly | cdlOFNPathMustExist | cdlOFNExplorer | cdlOFNLongNames;
        CommonDialog1.ShowOpen();
    } catch (...) {
        ForgetFile();
        return;
    }
    if (CommonDialog1.FileName.empty()) {
        ForgetFile();
        return;
    }
    filename_ = CommonDialog1.FileName;
    std::string path = filename_, drive, dir, name;
    SplitPath(path, drive, dir, name);
    Label1->setText(Text(drive + PathSeparator + "..." + PathSeparator + name));
}

void frmCustom::Image1_Click() {
    Text1->setText(QString::fromLatin1(PiText));
}

void frmCustom::Command4_Click() {
    std::string reply;
    bool chosen = false;
    try {
        CommonDialog& dialog = MainHost().CommonDialog1();
        dialog.CancelError = true;
        dialog.InitDir = InputDirectory;
        dialog.DialogTitle = "Select Corresponding Files";
        dialog.MaxFileSize = 10000;
        dialog.FileName.clear();
        dialog.Filter = AddFilter;
        dialog.Flags = cdlOFNAllowMultiselect | cdlOFNHideReadOnly | cdlOFNFileMustExist |
                       cdlOFNExplorer | cdlOFNNoDereferenceLinks | cdlOFNLongNames;
        dialog.ShowOpen();
        reply = dialog.FileName;
        chosen = true;
    } catch (...) {
    }
    DoEvents();
    if (!chosen) {
        return;
    }
    const std::vector<std::string> paths = ChosenPaths(reply);
    for (const std::string& path : paths) {
        List1->addItem(Text(path));
    }
    Option2[2]->setText(Text(std::string(CorrespondingCaption) + "  " +
                             std::to_string(paths.size()) + " Selected"));
}

void frmCustom::Command5_Click() {
    List1->clear();
    Option2[2]->setText(Text(std::string(CorrespondingCaption) + "  " + "None Selected"));
}

void frmCustom::Command2_Click() {
    switch (CheckedIndex(Option2)) {
        case 0:
            if (Label1->text().isEmpty()) {
                Warn("No File Selected!");
                return;
            }
            constant_ = 0;
            break;
        case 1: {
            float value = 0;
            try {
                value = CSng(Val(Text1->text().toStdString()));
            } catch (const VbError&) {
                Warn("Invalid Constant!");
                return;
            }
            constant_ = value;
            if (value == 0) {
                Warn("Invalid Constant!");
                return;
            }
            ForgetFile();
            break;
        }
        case 2:
            ForgetFile();
            break;
        default:
            Warn("Please Select Data Source!");
            return;
    }
    accept();
}

void frmCustom::Command3_Click() {
    constant_ = 0;
    ForgetFile();
    QDialog::reject();
}

void frmCustom::reject() {
    Command3_Click();
}

frmCustom& CustomForm() {
    if (KeptForm == nullptr) {
        KeptForm = new frmCustom(nullptr);
    }
    return *KeptForm;
}

void DestroyCustomForm() {
    delete KeptForm;
    KeptForm = nullptr;
}

std::optional<CustomArithmeticArguments> ChooseCustomArithmetic() {
    frmCustom& form = CustomForm();
    Uncheck(form.Option2);
    form.Option2[2]->setText(QString::fromLatin1(CorrespondingCaption));
    form.setResult(QDialog::Rejected);
    ShowModal(form);
    // Cancel runs nothing, whichever source the dialog was left showing.
    if (form.result() != QDialog::Accepted) {
        return std::nullopt;
    }
    const int source = CheckedIndex(form.Option2);
    CustomArithmeticArguments arguments;
    if (source == 1) {
        arguments.Constant = form.Constant();
    }
    if (source == 0 && form.Filename().empty()) {
        return std::nullopt;
    }
    if (source == 1 && arguments.Constant == 0) {
        return std::nullopt;
    }
    const int operation = CheckedIndex(form.Option1);
    if (operation < 0) {
        return std::nullopt;
    }
    arguments.Operation = static_cast<int16_t>(operation);
    arguments.FileName = form.Filename();
    arguments.UseList = source == 2 ? -1 : 0;
    return arguments;
}

bool CheckCorrespondingFiles(int16_t UseList) {
    if (UseList == 0) {
        return true;
    }
    const int listed = CustomFormLoaded ? CustomForm().List1->count() : 0;
    if (listed != MainHost().List1().ListCount()) {
        MsgBox("You have not selected the correct number of corresponding files",
               vbOKOnly + vbInformation, AppTitle);
        return false;
    }
    return true;
}
