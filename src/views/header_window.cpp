#include "views/header_window.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QVBoxLayout>
#include <exception>

#include "frame/batch_host.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"

namespace {

constexpr int KeyF9 = 120;
constexpr int ShiftMask = 1;
constexpr int CtrlMask = 2;

QLabel* Caption(QWidget* parent, const char* text) {
    return new QLabel(QString::fromLatin1(text), parent);
}

QLabel* Value(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setMinimumWidth(120);
    return label;
}

QLineEdit* Box(QWidget* parent) {
    return new QLineEdit(parent);
}

// One caption and its value control on the next row of a grid.
void Row(QGridLayout* grid, QWidget* caption, QWidget* value) {
    const int row = grid->rowCount();
    grid->addWidget(caption, row, 0);
    if (value != nullptr) {
        grid->addWidget(value, row, 1);
    }
}

}  // namespace

frmHeader::frmHeader(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Header Info"));
    auto* layout = new QHBoxLayout(this);

    auto* left = new QVBoxLayout;
    List1 = new QListWidget(this);
    List1->setMinimumWidth(220);
    left->addWidget(List1, 1);
    layout->addLayout(left);

    SSTab1 = new QTabWidget(this);
    const char* tabs[] = {"Instrument", "Detectors", "Misc.", "GPS", "Tevra Detector"};
    std::array<QWidget*, 5> pages{};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        pages[i] = new QWidget(SSTab1);
        SSTab1->addTab(pages[i], QString::fromLatin1(tabs[i]));
    }
    BuildInstrumentTab(pages[0]);
    BuildDetectorsTab(pages[1]);
    BuildMiscTab(pages[2]);
    BuildGpsTab(pages[3]);
    BuildDetectorTab(pages[4]);
    // All five tabs in sight, never behind scroll arrows.
    SSTab1->setUsesScrollButtons(false);
    layout->addWidget(SSTab1, 1);

    // Made after the tabs' boxes, so that Tab reaches them last.
    auto* buttons = new QHBoxLayout;
    Command1 = new QPushButton(QStringLiteral("&OK"), this);
    Command2 = new QPushButton(QStringLiteral("&Cancel"), this);
    // Enter in a box must not save the file behind the user's back.
    Command1->setAutoDefault(false);
    Command2->setAutoDefault(false);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    left->addLayout(buttons);

    const std::pair<QLineEdit*, void (frmHeader::*)()> changes[] = {
        {Text1, &frmHeader::Text1_Change}, {Text2, &frmHeader::Text2_Change},
        {Text3, &frmHeader::Text3_Change}, {Text4, &frmHeader::Text4_Change},
        {Text5, &frmHeader::Text5_Change}, {Text6, &frmHeader::Text6_Change},
        {Text7, &frmHeader::Text7_Change}, {Text8, &frmHeader::Text8_Change},
        {Text9, &frmHeader::Text9_Change}, {Text10, &frmHeader::Text10_Change},
    };
    for (const auto& [box, handler] : changes) {
        connect(box, &QLineEdit::textChanged, this, handler);
    }
    connect(Combo1, &QComboBox::editTextChanged, this, &frmHeader::Combo1_Change);
    connect(Combo1, &QComboBox::currentIndexChanged, this, &frmHeader::Combo1_Click);
    connect(Combo2, &QComboBox::currentIndexChanged, this, &frmHeader::Combo2_Click);
    connect(Command1, &QPushButton::clicked, this, &frmHeader::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmHeader::Command2_Click);
    connect(List1, &QListWidget::currentRowChanged, this, &frmHeader::List1_Click);
    // The chord works whichever control has the focus.
    auto* chord = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F9), this);
    chord->setContext(Qt::WindowShortcut);
    connect(chord, &QShortcut::activated, this,
            [this] { Form_KeyDown(KeyF9, ShiftMask | CtrlMask); });
    Label4->installEventFilter(this);
    txtEdit->installEventFilter(this);

    adjustSize();
    Form_Load();
}

void frmHeader::BuildInstrumentTab(QWidget* page) {
    auto* grid = new QGridLayout(page);
    Label1[0] = Caption(page, "Instrument Number:");
    Text7 = Box(page);
    Label1[25] = Caption(page, "Calibration Number:");
    Text8 = Box(page);
    Label1[5] = Caption(page, "Wavelength Start:");
    Text9 = Box(page);
    Label1[6] = Caption(page, "Wavelength Step:");
    Text10 = Box(page);
    Label1[7] = Caption(page, "Sample Count:");
    Label2 = Value(page);
    Label1[26] = Caption(page, "Foreoptic ID:");
    Combo1 = new QComboBox(page);
    Combo1->setEditable(true);
    Label1[19] = Caption(page, "File Data Type:");
    Combo2 = new QComboBox(page);
    Row(grid, Label1[0], Text7);
    Row(grid, Label1[25], Text8);
    Row(grid, Label1[5], Text9);
    Row(grid, Label1[6], Text10);
    Row(grid, Label1[7], Label2);
    Row(grid, Label1[26], Combo1);
    Row(grid, Label1[19], Combo2);

    fraCalBuffer = new QGroupBox(QStringLiteral("Calibration Files"), page);
    auto* files = new QGridLayout(fraCalBuffer);
    lblBSE = Caption(fraCalBuffer, "BSE:");
    txtBSE = Box(fraCalBuffer);
    lblLMP = Caption(fraCalBuffer, "LMP:");
    txtLMP = Box(fraCalBuffer);
    lblFO = Caption(fraCalBuffer, "FO:");
    txtFO = Box(fraCalBuffer);
    for (QLineEdit* box : {txtBSE, txtLMP, txtFO}) {
        box->setReadOnly(true);
    }
    Row(files, lblBSE, txtBSE);
    Row(files, lblLMP, txtLMP);
    Row(files, lblFO, txtFO);
    grid->addWidget(fraCalBuffer, grid->rowCount(), 0, 1, 2);

    fraAlarms = new QGroupBox(QStringLiteral("Alarms"), page);
    auto* alarms = new QHBoxLayout(fraAlarms);
    lblSaturation = Caption(fraAlarms, "Saturation");
    lblTec1Alarm = Caption(fraAlarms, "TEC1");
    lblTEC2Alarm = Caption(fraAlarms, "TEC2");
    alarms->addWidget(lblSaturation);
    alarms->addWidget(lblTec1Alarm);
    alarms->addWidget(lblTEC2Alarm);
    grid->addWidget(fraAlarms, grid->rowCount(), 0, 1, 2);
    grid->setRowStretch(grid->rowCount(), 1);
}

void frmHeader::BuildDetectorsTab(QWidget* page) {
    auto* grid = new QGridLayout(page);
    Label1[4] = Caption(page, "Integration Time:");
    Text6 = Box(page);
    Label1[15] = Caption(page, "SWIR 1 Gain:");
    Text2 = Box(page);
    Label1[23] = Caption(page, "SWIR 1 Offset:");
    Text3 = Box(page);
    Label1[16] = Caption(page, "SWIR 2 Gain:");
    Text4 = Box(page);
    Label1[24] = Caption(page, "SWIR 2 Offset:");
    Text5 = Box(page);
    Label1[17] = Caption(page, "Dark Current Correction Count:");
    Label9 = Value(page);
    Label1[18] = Caption(page, "Dark Current Correction Time:");
    Label10 = Value(page);
    Label1[27] = Caption(page, "Dark Current Correction Value:");
    Label6 = Value(page);
    Label1[20] = Caption(page, "White Reference Count:");
    Label11 = Value(page);
    Label1[21] = Caption(page, "White Reference Time:");
    Label12 = Value(page);
    Row(grid, Label1[4], Text6);
    Row(grid, Label1[15], Text2);
    Row(grid, Label1[23], Text3);
    Row(grid, Label1[16], Text4);
    Row(grid, Label1[24], Text5);
    Row(grid, Label1[17], Label9);
    Row(grid, Label1[18], Label10);
    Row(grid, Label1[27], Label6);
    Row(grid, Label1[20], Label11);
    Row(grid, Label1[21], Label12);
    grid->setRowStretch(grid->rowCount(), 1);
}

void frmHeader::BuildMiscTab(QWidget* page) {
    auto* grid = new QGridLayout(page);
    Label1[1] = Caption(page, "Program Version:");
    Label3 = Value(page);
    Label1[2] = Caption(page, "File Version:");
    Label4 = Value(page);
    Label4->setToolTip(QStringLiteral("Double-click to edit"));
    Label1[3] = Caption(page, "Date Spectrum Saved:");
    Label5 = Value(page);
    Label1[8] = Caption(page, "XMin:");
    Label16 = Value(page);
    Label1[9] = Caption(page, "YMin:");
    Label17 = Value(page);
    Label1[10] = Caption(page, "XMax:");
    Label18 = Value(page);
    Label1[11] = Caption(page, "YMax:");
    Label19 = Value(page);
    Label1[12] = Caption(page, "Number of Bits:");
    Label20 = Value(page);
    Label1[13] = Caption(page, "Spectrum was AvgFixed.");
    Label1[14] = Caption(page, "Calibration Lamp Number:");
    Label22 = Value(page);
    Label8 = Caption(page, "Comment");
    Text1 = Box(page);
    for (int i : {1, 2, 3, 8, 9, 10, 11, 12}) {
        Row(grid, Label1[static_cast<std::size_t>(i)],
            i == 1    ? Label3
            : i == 2  ? Label4
            : i == 3  ? Label5
            : i == 8  ? Label16
            : i == 9  ? Label17
            : i == 10 ? Label18
            : i == 11 ? Label19
                      : Label20);
    }
    Row(grid, Label1[13], nullptr);
    Row(grid, Label1[14], Label22);
    Row(grid, Label8, nullptr);
    grid->addWidget(Text1, grid->rowCount(), 0, 1, 2);
    grid->setRowStretch(grid->rowCount(), 1);
    // Laid over Label4 while the version is edited; outside the layout.
    txtEdit = new QLineEdit(page);
    txtEdit->hide();
}

void frmHeader::BuildGpsTab(QWidget* page) {
    auto* grid = new QGridLayout(page);
    const char* captions[] = {"Latitude:", "Longitude:", "Elevation:", "UTC:"};
    for (std::size_t i = 0; i < Label7.size(); ++i) {
        Label7[i] = Caption(page, captions[i]);
        Text11[i] = Box(page);
        Text11[i]->setReadOnly(true);  // shown, never stored
        Row(grid, Label7[i], Text11[i]);
    }
    grid->setRowStretch(grid->rowCount(), 1);
}

void frmHeader::BuildDetectorTab(QWidget* page) {
    auto* grid = new QGridLayout(page);
    const std::pair<QLabel**, const char*> captions[] = {
        {&lblSN, "Serial #"},   {&lblSignal, "Signal (A)"}, {&lblDark, "Dark (A)"},
        {&lblRef, "Ref (%)"},   {&lblStatus, "Status"},     {&lblGain, "Gain"},
        {&lblAvg, "Averaging"}, {&lblTemp, "Temp (C)"},     {&lblHumid, "Humid (%)"},
    };
    QLabel** values[] = {&lblSNValue,  &lblSignalValue, &lblDarkValue,
                         &lblRefValue, &lblStatusValue, &lblGainValue,
                         &lblAvgValue, &lblTempValue,   &lblHumidValue};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        *captions[i].first = Caption(page, captions[i].second);
        *values[i] = Value(page);
        Row(grid, *captions[i].first, *values[i]);
    }
    grid->setRowStretch(grid->rowCount(), 1);
}

void frmHeader::Form_Load() {
    CenterForm(*this);
    FileList& work = MainHost().List1();
    for (int i = 0; i < work.ListCount(); ++i) {
        work.SetListIndex(i);
        List1->addItem(QString::fromStdString(work.List(i)));
    }
    if (List1->count() > 0) {
        List1->setCurrentRow(0);
    }
    LockInstrumentBoxes(true);
}

void frmHeader::LockInstrumentBoxes(bool locked) {
    EditMode = !locked;
    const QColor colour = locked ? palette().color(QPalette::Button) : QColor(Qt::white);
    for (QLineEdit* box : {Text9, Text10, Text2, Text3, Text4, Text5, Text6}) {
        QPalette look = box->palette();
        look.setColor(QPalette::Base, colour);
        box->setPalette(look);
        box->setReadOnly(locked);
    }
}

void frmHeader::Form_KeyDown(int KeyCode, int Shift) {
    if (KeyCode == KeyF9 && Shift == (ShiftMask | CtrlMask)) {
        LockInstrumentBoxes(false);
    }
}

void frmHeader::MarkDirty() {
    IsDirty = true;
    Command1->setText(QStringLiteral("&Save"));
}

bool frmHeader::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label4 && event->type() == QEvent::MouseButtonDblClick) {
        Label4_DblClick();
        return true;
    }
    if (watched == txtEdit && event->type() == QEvent::FocusOut && txtEdit->isVisible()) {
        txtEdit_LostFocus();
    }
    return QDialog::eventFilter(watched, event);
}

void frmHeader::Label4_DblClick() {
    EditedLabel = Label4;
    txtEdit->setText(Label4->text());
    txtEdit->setGeometry(Label4->geometry());
    txtEdit->show();
    txtEdit->raise();
    txtEdit->setFocus();
    txtEdit->selectAll();
}

void frmHeader::txtEdit_LostFocus() {
    if (EditedLabel == nullptr) {
        return;
    }
    if (txtEdit->text() != EditedLabel->text()) {
        MarkDirty();
    }
    EditedLabel->setText(txtEdit->text());
    txtEdit->hide();
}

void frmHeader::Command1_Click() {
    if (Command1->text() == QStringLiteral("&Save")) {
        if (SaveSpectrumHeader()) {
            Command1->setText(QStringLiteral("&OK"));
        }
        return;
    }
    hide();
}

void frmHeader::Command2_Click() {
    if (Command1->text() != QStringLiteral("&Save")) {
        hide();
        return;
    }
    // What is on screen must be the file again: a later save could otherwise
    // carry the edits the user just cancelled.
    if (!ListReported()) {
        SSTab1->hide();
    } else {
        RememberShownValues();
    }
    IsDirty = false;
    Command1->setText(QStringLiteral("&OK"));
}

void frmHeader::List1_Click() {
    if (IsDirty) {
        const int answer = MsgBox("Want to Save your Changes?", vbYesNo + vbQuestion, AppTitle);
        if (answer == vbYes && !SaveSpectrumHeader()) {
            // Back to the file with the refused edits: selecting it again asks
            // once more, then lists it afresh from disk.
            List1->setCurrentRow(PreviousIndex);
        }
    }
    LockInstrumentBoxes(true);
    if (ListReported()) {
        Command1->setText(QStringLiteral("&Ok"));
        IsDirty = false;
        PreviousIndex = List1->currentRow();
        List1->setToolTip(QString::fromStdString(ListedFileName));
        SSTab1->show();
        RememberShownValues();
    } else {
        SSTab1->hide();
    }
}

bool frmHeader::ListReported() {
    // A time text needs the ZelUtil library; without it the file cannot be
    // shown, and no error may leave the event handler.
    try {
        return ListSpectrumHeader();
    } catch (const std::exception& error) {
        MsgBox(error.what(), vbOKOnly + vbCritical, AppTitle);
        return false;
    }
}

void frmHeader::RememberShownValues() {
    shown_.clear();
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7, Text8, Text9, Text10}) {
        shown_[box] = box->text();
    }
    shown_[Combo1] = Combo1->currentText();
    shown_[Combo2] = QString::number(Combo2->currentIndex());
    shown_[Label4] = Label4->text();
}

bool frmHeader::Changed(const QWidget* control) const {
    QString now;
    if (control == Combo1) {
        now = Combo1->currentText();
    } else if (control == Combo2) {
        now = QString::number(Combo2->currentIndex());
    } else if (control == Label4) {
        now = Label4->text();
    } else {
        now = static_cast<const QLineEdit*>(control)->text();
    }
    const auto found = shown_.find(control);
    return found == shown_.end() || found->second != now;
}

void ShowHeaderWindow() {
    frmHeader form;
    ShowModal(form);
}
