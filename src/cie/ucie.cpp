#include "cie/ucie.h"

#include <dlfcn.h>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <filesystem>

#include "cie/colorimetry.h"
#include "cie/screen_text.h"
#include "cie/table_files.h"
#include "cie/ucie_parts.h"
#include "platform/graph/graph_control.h"
#include "platform/ui/ui.h"

namespace {

// The panel's fixed size: 9705 by 7695 twips at 15 twips a pixel.
constexpr int PanelWidth = 647;
constexpr int PanelHeight = 513;

constexpr const char* ValuePattern = "##0.0000";
constexpr const char* GammaPattern = "0.00";

// Colours travel as 24-bit values with red in the low byte.
qint32 ToColorValue(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

QColor FromColorValue(qint32 value) {
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// The folder of the library file this code was loaded from.
std::filesystem::path ControlFolder() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&ControlFolder), &info) == 0 || info.dli_fname == nullptr) {
        return std::filesystem::current_path();
    }
    return std::filesystem::path(info.dli_fname).parent_path();
}

// The character code a key press delivers to a text box, as the numeric
// filter judges it; nothing for keys that only move or edit (arrows, Delete).
std::optional<char16_t> TypedCharacter(const QKeyEvent& key) {
    const int code = key.key();
    if ((key.modifiers() & Qt::ControlModifier) && code >= Qt::Key_A && code <= Qt::Key_Z) {
        return static_cast<char16_t>(code - Qt::Key_A + 1);
    }
    switch (code) {
        case Qt::Key_Backspace:
            return u'\b';
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return u'\r';
        case Qt::Key_Escape:
            return char16_t{27};
        default:
            break;
    }
    const QString text = key.text();
    if (text.isEmpty() || !text.at(0).isPrint()) {
        return std::nullopt;
    }
    return text.at(0).unicode();
}

}  // namespace

// ---- property bag ----------------------------------------------------------

QVariant PropertyBag::ReadProperty(const QString& name, const QVariant& defaultValue) const {
    for (const auto& entry : entries_) {
        if (entry.first == name) {
            return entry.second;
        }
    }
    return defaultValue;
}

void PropertyBag::WriteProperty(const QString& name, const QVariant& value, const QVariant&) {
    for (auto& entry : entries_) {
        if (entry.first == name) {
            entry.second = value;
            return;
        }
    }
    entries_.append({name, value});
}

QStringList PropertyBag::Names() const {
    QStringList names;
    for (const auto& entry : entries_) {
        names.append(entry.first);
    }
    return names;
}

// ---- state and panel ------------------------------------------------------

namespace {

QGroupBox* Frame(QWidget* parent, const char* name, const QString& caption, QRect where) {
    auto* frame = new QGroupBox(caption, parent);
    frame->setObjectName(name);
    frame->setGeometry(where);
    return frame;
}

template <typename T>
T* Control(QWidget* parent, const QString& name, QRect where) {
    auto* control = new T(parent);
    control->setObjectName(name);
    control->setGeometry(where);
    return control;
}

QLabel* PictureBox(QWidget* parent, const char* name, QRect where) {
    auto* picture = Control<QLabel>(parent, name, where);
    picture->setFrameShape(QFrame::Box);
    picture->setFrameShadow(QFrame::Sunken);
    return picture;
}

}  // namespace

UCIE::UCIE(QWidget* parent)
    : QWidget(parent), panel_(std::make_unique<Panel>()), state_(std::make_unique<State>()) {
    setFixedSize(PanelWidth, PanelHeight);
    BuildPanel();
    Panel& p = *panel_;
    State& s = *state_;

    // Creation, in order. Nothing here raises IlluminateFileChanged: the list
    // answers only the user's choice.
    // 1. The graphs fill their picture boxes.
    p.Graph1 = new GraphControl(p.picColorFunction);
    p.Graph1->setObjectName("Graph1");
    p.Graph1->setGeometry(p.picColorFunction->contentsRect());
    p.Graph2 = new GraphControl(p.picIlluminants);
    p.Graph2->setObjectName("Graph2");
    p.Graph2->setGeometry(p.picIlluminants->contentsRect());
    // 2. Every display option on, gamma 1: as State starts.
    p.txtGamma->setText(ScreenFormat(s.Gamma, GammaPattern));
    // 3. The illuminant list, D65 chosen.
    p.cboIlluminate->addItem("A", ifA);
    p.cboIlluminate->addItem("D65", ifD65);
    p.cboIlluminate->setCurrentIndex(1);
    // 4. The tables.
    InitCIEEx();
    // 5. The graphs' fixed settings.
    InitGraphs();
    // 6. Colour-matching functions of the 2 degree observer.
    p.tabCIE->setTabVisible(1, s.ShowColorFunctions);
    if (s.ShowColorFunctions) {
        p.optCIE[0]->setChecked(true);
        optCIE_Click(0);
    }
    // 7. Both illuminants, checked one after the other as a user would.
    p.tabCIE->setTabVisible(2, s.ShowIlluminates);
    if (s.ShowIlluminates) {
        p.chkIlluminate[0]->setChecked(true);
        chkIlluminate_Click();
        p.chkIlluminate[1]->setChecked(true);
        chkIlluminate_Click();
    }
    // 8. The chromaticity tab and its options.
    p.tabCIE->setTabVisible(3, s.ShowChromaticity);
    if (s.ShowChromaticity) {
        SetupDiagram();
        p.optChromaticity[0]->setChecked(true);
        DrawChromaticity(0);
        p.chkShowGrid->setChecked(s.ShowGrid);
        p.chkShowWavelengths->setChecked(s.ShowWavelengths);
        p.chkShowPoint->setChecked(s.ShowPoint);
    }
}

UCIE::~UCIE() = default;

void UCIE::BuildPanel() {
    Panel& p = *panel_;
    p.tabCIE = Control<QTabWidget>(this, "tabCIE", QRect(0, 0, PanelWidth, PanelHeight));

    // Tab 0: the results.
    auto* results = new QWidget;
    p.tabCIE->addTab(results, "CIE");
    const char* captions[] = {"X", "Y", "Z", "x", "y", "u'", "v'"};
    const char* names[] = {"lblX2",      "lblY2",      "lblZ2",       "lblnx2",     "lblny2",
                           "lbluprime2", "lblvprime2", "lblX10",      "lblY10",     "lblZ10",
                           "lblnx10",    "lblny10",    "lbluprime10", "lblvprime10"};
    QGroupBox* observers[] = {
        Frame(results, "fraCIE1931", "CIE 1931 (2°)", QRect(16, 16, 290, 262)),
        Frame(results, "fraCIE1964", "CIE 1964 (10°)", QRect(330, 16, 290, 262))};
    for (int o = 0; o < 2; ++o) {
        for (int row = 0; row < 7; ++row) {
            const int top = 30 + 32 * row;
            auto* caption = new QLabel(captions[row], observers[o]);
            caption->setGeometry(24, top, 40, 24);
            auto* value =
                Control<QLabel>(observers[o], names[7 * o + row], QRect(72, top, 180, 24));
            value->setFrameShape(QFrame::Panel);
            value->setFrameShadow(QFrame::Sunken);
            value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            p.Values[static_cast<std::size_t>(7 * o + row)] = value;
        }
    }
    auto* illuminate = Frame(results, "fraIlluminaceFile", "Illuminate", QRect(16, 292, 200, 70));
    p.cboIlluminate = Control<QComboBox>(illuminate, "cboIlluminate", QRect(16, 30, 168, 26));
    connect(p.cboIlluminate, &QComboBox::activated, this, &UCIE::cboIlluminate_Click);

    // Tab 1: the colour-matching functions.
    auto* functions = new QWidget;
    p.tabCIE->addTab(functions, "Color Functions");
    p.picColorFunction = PictureBox(functions, "picColorFunction", QRect(8, 8, 470, 462));
    auto* observer =
        Frame(functions, "fraColorFunction", "CIE Standard Observer", QRect(488, 8, 144, 90));
    for (int i = 0; i < 2; ++i) {
        p.optCIE[static_cast<std::size_t>(i)] = Control<QRadioButton>(
            observer, QString("optCIE_%1").arg(i), QRect(12, 26 + 28 * i, 124, 24));
        connect(p.optCIE[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { optCIE_Click(i); });
    }
    p.optCIE[0]->setText("1931 (2°)");
    p.optCIE[1]->setText("1964 (10°)");

    // Tab 2: the illuminants.
    auto* illuminants = new QWidget;
    p.tabCIE->addTab(illuminants, "Illuminants");
    p.picIlluminants = PictureBox(illuminants, "picIlluminants", QRect(8, 8, 470, 462));
    auto* which = Frame(illuminants, "fraIlluminant", "Illuminate", QRect(488, 8, 144, 90));
    for (int i = 0; i < 2; ++i) {
        p.chkIlluminate[static_cast<std::size_t>(i)] = Control<QCheckBox>(
            which, QString("chkIlluminate_%1").arg(i), QRect(12, 26 + 28 * i, 124, 24));
        connect(p.chkIlluminate[static_cast<std::size_t>(i)], &QCheckBox::clicked, this,
                [this] { chkIlluminate_Click(); });
    }
    p.chkIlluminate[0]->setText("A");
    p.chkIlluminate[1]->setText("D65");

    // Tab 3: the chromaticity diagram and its options.
    auto* chroma = new QWidget;
    p.tabCIE->addTab(chroma, "Chromaticity");
    p.picCIE = PictureBox(chroma, "picCIE", QRect(8, 8, 400, 396));
    auto* frame1 = Frame(chroma, "Frame1", "CIE Standard Observer", QRect(420, 8, 210, 84));
    for (int i = 0; i < 2; ++i) {
        p.optChromaticity[static_cast<std::size_t>(i)] = Control<QRadioButton>(
            frame1, QString("optChromaticity_%1").arg(i), QRect(12, 24 + 26 * i, 180, 24));
        connect(p.optChromaticity[static_cast<std::size_t>(i)], &QRadioButton::clicked, this,
                [this, i] { DrawChromaticity(i); });
    }
    p.optChromaticity[0]->setText("1931 (2°)");
    p.optChromaticity[1]->setText("1964 (10°)");
    auto* settings =
        Frame(chroma, "fraGraphChromaticitySettings", "Graph Settings", QRect(420, 98, 210, 108));
    p.chkShowPoint = Control<QCheckBox>(settings, "chkShowPoint", QRect(12, 24, 180, 24));
    p.chkShowPoint->setText("Show Point");
    p.chkShowWavelengths =
        Control<QCheckBox>(settings, "chkShowWavelengths", QRect(12, 50, 180, 24));
    p.chkShowWavelengths->setText("Show Wavelengths");
    p.chkShowGrid = Control<QCheckBox>(settings, "chkShowGrid", QRect(12, 76, 180, 24));
    p.chkShowGrid->setText("Show Grid");
    connect(p.chkShowPoint, &QCheckBox::clicked, this, &UCIE::chkShowPoint_Click);
    connect(p.chkShowGrid, &QCheckBox::clicked, this, &UCIE::chkShowGrid_Click);
    connect(p.chkShowWavelengths, &QCheckBox::clicked, this, &UCIE::chkShowWavelengths_Click);

    auto* point = Frame(chroma, "fraChromaticityXYZ", "", QRect(420, 212, 210, 118));
    const char* boxNames[] = {"txtX", "txtY", "txtZ", "txtR", "txtG", "txtB"};
    const char* boxCaptions[] = {"X:", "Y:", "Z:", "R:", "G:", "B:"};
    for (int i = 0; i < 6; ++i) {
        const int left = i < 3 ? 8 : 112;
        const int top = 14 + 34 * (i % 3);
        auto* caption = new QLabel(boxCaptions[i], point);
        caption->setGeometry(left, top, 20, 26);
        p.Boxes[static_cast<std::size_t>(i)] =
            Control<QLineEdit>(point, boxNames[i], QRect(left + 22, top, 70, 26));
    }
    for (int i = 0; i < 3; ++i) {
        p.Boxes[static_cast<std::size_t>(i)]->installEventFilter(this);
    }
    auto* gamma = Frame(chroma, "fraGamma", "Gamma", QRect(420, 336, 210, 68));
    p.txtGamma = Control<QLineEdit>(gamma, "txtGamma", QRect(12, 28, 90, 26));
    p.txtGamma->installEventFilter(this);
}

// ---- results ---------------------------------------------------------------

void UCIE::CalcColorimetry(const QList<double>& buffer, qint32 lType, qint32 wlStart,
                           UCIE::IlluminateFile ill) {
    CalcColorimetry(
        std::span<const double>(buffer.constData(), static_cast<std::size_t>(buffer.size())), lType,
        wlStart, static_cast<std::int32_t>(ill));
}

void UCIE::CalcColorimetry(std::span<const double> buffer, std::int32_t lType, std::int32_t wlStart,
                           std::int32_t ill) {
    InitCIEEx();
    CieState& cie = state_->Cie;
    ::CalcColorimetry(cie.Tables, cie.Results, cie.IllFile, buffer, lType, wlStart, ill);
    ShowResults();
    if (state_->ShowChromaticity) {
        // The results just shown become the point to mark there.
        DrawChromaticity(SelectedObserver());
    }
}

void UCIE::ShowResults() {
    const CieResults& r = state_->Cie.Results;
    const float values[] = {r.x2bar,     r.y2bar,     r.z2bar,      r.nx2,       r.ny2,
                            r.u_prime_2, r.v_prime_2, r.x10bar,     r.y10bar,    r.z10bar,
                            r.nx10,      r.ny10,      r.u_prime_10, r.v_prime_10};
    for (std::size_t i = 0; i < panel_->Values.size(); ++i) {
        panel_->Values[i]->setText(ScreenFormat(values[i], ValuePattern));
    }
}

void UCIE::ClearCIE() {
    for (QLabel* label : panel_->Values) {
        label->clear();
    }
    for (QLineEdit* box : panel_->Boxes) {
        box->clear();
    }
    DrawChromaticity(SelectedObserver());
}

void UCIE::InitCIEEx() {
    CieState& cie = state_->Cie;
    ZeroResults(cie.Results);
    if (cie.TablesLoaded) {
        return;
    }
    for (int t = 0; t < CieTableCount; ++t) {
        const char* name = CieTableNames[static_cast<std::size_t>(t)];
        QFile resource(QString(":/CUSTOM/") + name);
        QByteArray bytes;
        if (resource.open(QIODevice::ReadOnly)) {
            bytes = resource.readAll();
        }
        const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
        if (!DecodeTable(std::span(data, static_cast<std::size_t>(bytes.size())),
                         cie.Tables[static_cast<std::size_t>(t)])) {
            throw CieError(CieFault::FileNotFound,
                           std::string("the built-in table ") + name + " is missing");
        }
    }
    cie.TablesLoaded = true;
}

void UCIE::InitCIE() {
    LoadTablesFromFolder(state_->Cie, ControlFolder());
}

// ---- chromaticity tab ------------------------------------------------------

int UCIE::SelectedObserver() const {
    return panel_->optChromaticity[0]->isChecked() ? 0 : 1;
}

void UCIE::chkShowPoint_Click() {
    state_->ShowPoint = panel_->chkShowPoint->isChecked();
    DrawChromaticity(SelectedObserver());
}

void UCIE::chkShowGrid_Click() {
    state_->ShowGrid = panel_->chkShowGrid->isChecked();
    state_->DiagramDrawn = {false, false};
    DrawChromaticity(SelectedObserver());
}

void UCIE::chkShowWavelengths_Click() {
    state_->ShowWavelengths = panel_->chkShowWavelengths->isChecked();
    state_->DiagramDrawn = {false, false};
    DrawChromaticity(SelectedObserver());
}

void UCIE::txtGamma_LostFocus() {
    const auto typed = ScreenNumber(panel_->txtGamma->text());
    if (!typed || *typed < 0 || *typed > 10) {
        CieMsgBox("Enter a value from 0 to 10", vbOKOnly | vbExclamation, "Gamma Entry");
        panel_->txtGamma->setFocus();
        return;
    }
    const float gamma = static_cast<float>(*typed);
    if (gamma == state_->Gamma) {
        return;
    }
    state_->Gamma = gamma;
    panel_->txtGamma->setText(ScreenFormat(gamma, GammaPattern));
    state_->DiagramDrawn = {false, false};
    DrawChromaticity(SelectedObserver());
}

void UCIE::PointBox_LostFocus(int index) {
    QLineEdit* box = panel_->Boxes[static_cast<std::size_t>(index)];
    if (const auto value = ScreenNumber(box->text())) {
        box->setText(ScreenFormat(*value, ValuePattern));
    }
}

bool UCIE::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (box == nullptr) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
        case QEvent::FocusIn:
            box->selectAll();
            break;
        case QEvent::KeyPress: {
            const auto typed = TypedCharacter(*static_cast<QKeyEvent*>(event));
            if (typed && !FilterNumericKey(*box, *typed, true, false, false)) {
                CieBeep();
                return true;
            }
            break;
        }
        case QEvent::FocusOut: {
            // Leaving the window (another program, the message box below) is
            // not leaving the box.
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) {
                break;
            }
            if (box == panel_->txtGamma) {
                txtGamma_LostFocus();
            } else {
                for (int i = 0; i < 3; ++i) {
                    if (box == panel_->Boxes[static_cast<std::size_t>(i)]) {
                        PointBox_LostFocus(i);
                    }
                }
            }
            break;
        }
        default:
            break;
    }
    return QWidget::eventFilter(watched, event);
}

// ---- illuminant choice and graphs -------------------------------------------

void UCIE::cboIlluminate_Click(int index) {
    const qint32 chosen = panel_->cboIlluminate->itemData(index).toInt();
    if (chosen == state_->SelectedIllFile) {
        return;
    }
    state_->SelectedIllFile = chosen;
    emit IlluminateFileChanged();
}

void UCIE::optCIE_Click(int index) {
    DrawColorFunctionGraph(index);
}

void UCIE::chkIlluminate_Click() {
    Panel& p = *panel_;
    int mask =
        (p.chkIlluminate[0]->isChecked() ? 1 : 0) + (p.chkIlluminate[1]->isChecked() ? 4 : 0);
    if (mask == 0) {
        // Unchecking the last box brings both illuminants back.
        p.chkIlluminate[0]->setChecked(true);
        p.chkIlluminate[1]->setChecked(true);
    }
    DrawIlluminantGraph(mask);
}

// ---- properties ------------------------------------------------------------

UCIE::IlluminateFile UCIE::SelectedIllFile() const {
    return static_cast<IlluminateFile>(state_->SelectedIllFile);
}

void UCIE::setSelectedIllFile(IlluminateFile value) {
    state_->SelectedIllFile = value;
}

bool UCIE::ShowChromaticity() const {
    return state_->ShowChromaticity;
}

void UCIE::setShowChromaticity(bool value) {
    state_->ShowChromaticity = value;
    panel_->tabCIE->setTabVisible(3, value);
}

bool UCIE::ShowColorFunctions() const {
    return state_->ShowColorFunctions;
}

void UCIE::setShowColorFunctions(bool value) {
    state_->ShowColorFunctions = value;
    panel_->tabCIE->setTabVisible(1, value);
}

bool UCIE::ShowIlluminates() const {
    return state_->ShowIlluminates;
}

void UCIE::setShowIlluminates(bool value) {
    state_->ShowIlluminates = value;
    panel_->tabCIE->setTabVisible(2, value);
}

bool UCIE::ShowPoint() const {
    return state_->ShowPoint;
}

void UCIE::setShowPoint(bool value) {
    state_->ShowPoint = value;
}

bool UCIE::ShowGrid() const {
    return state_->ShowGrid;
}

void UCIE::setShowGrid(bool value) {
    state_->ShowGrid = value;
}

bool UCIE::ShowWavelengths() const {
    return state_->ShowWavelengths;
}

void UCIE::setShowWavelengths(bool value) {
    state_->ShowWavelengths = value;
}

float UCIE::x2bar() const {
    return state_->Cie.Results.x2bar;
}
float UCIE::y2bar() const {
    return state_->Cie.Results.y2bar;
}
float UCIE::z2bar() const {
    return state_->Cie.Results.z2bar;
}
float UCIE::x10bar() const {
    return state_->Cie.Results.x10bar;
}
float UCIE::y10bar() const {
    return state_->Cie.Results.y10bar;
}
float UCIE::z10bar() const {
    return state_->Cie.Results.z10bar;
}
float UCIE::nx2() const {
    return state_->Cie.Results.nx2;
}
float UCIE::nx10() const {
    return state_->Cie.Results.nx10;
}
float UCIE::ny2() const {
    return state_->Cie.Results.ny2;
}
float UCIE::ny10() const {
    return state_->Cie.Results.ny10;
}
float UCIE::u_prime_2() const {
    return state_->Cie.Results.u_prime_2;
}
float UCIE::u_prime_10() const {
    return state_->Cie.Results.u_prime_10;
}
float UCIE::v_prime_2() const {
    return state_->Cie.Results.v_prime_2;
}
float UCIE::v_prime_10() const {
    return state_->Cie.Results.v_prime_10;
}
float UCIE::k2() const {
    return state_->Cie.Results.k2;
}
float UCIE::k10() const {
    return state_->Cie.Results.k10;
}
qint32 UCIE::ill_file() const {
    return state_->Cie.IllFile;
}

qint32 UCIE::BackColor() const {
    const QWidget* container = parentWidget() != nullptr ? parentWidget() : this;
    return ToColorValue(container->palette().color(container->backgroundRole()));
}

void UCIE::setBackColor(qint32 value) {
    QPalette own = palette();
    own.setColor(QPalette::Window, FromColorValue(value));
    setPalette(own);
    setAutoFillBackground(true);
}

qint32 UCIE::ForeColor() const {
    return ToColorValue(palette().color(QPalette::WindowText));
}

void UCIE::setForeColor(qint32 value) {
    QPalette own = palette();
    own.setColor(QPalette::WindowText, FromColorValue(value));
    setPalette(own);
}

// ---- saved properties --------------------------------------------------------

namespace {
constexpr bool DefaultShowColorFunctions = true;
constexpr bool DefaultShowChromaticity = false;
constexpr float DefaultGamma = 1.0f;
constexpr bool DefaultShowGrid = true;
constexpr bool DefaultShowWavelengths = true;
constexpr bool DefaultShowPoint = true;
constexpr qint32 DefaultIllFile = UCIE::ifD65;
}  // namespace

void UCIE::InitProperties() {
    State& s = *state_;
    s.ShowColorFunctions = DefaultShowColorFunctions;
    s.ShowIlluminates = true;
    s.ShowChromaticity = DefaultShowChromaticity;
    s.Gamma = DefaultGamma;
    s.ShowPoint = DefaultShowPoint;
    s.ShowGrid = DefaultShowGrid;
    s.ShowWavelengths = DefaultShowWavelengths;
    s.SelectedIllFile = DefaultIllFile;
}

void UCIE::ReadProperties(const PropertyBag& bag) {
    State& s = *state_;
    s.ShowColorFunctions =
        bag.ReadProperty("ShowColorFunctions", DefaultShowColorFunctions).toBool();
    s.ShowChromaticity = bag.ReadProperty("ShowChromaticity", DefaultShowChromaticity).toBool();
    bool ok = false;
    // The bag comes from outside; the diagram's colours need a gamma from 0
    // to 10, as the gamma box would take it.
    const float gamma = bag.ReadProperty("Gamma", DefaultGamma).toFloat(&ok);
    s.Gamma = ok && gamma >= 0.0f && gamma <= 10.0f ? gamma : DefaultGamma;
    s.ShowGrid = bag.ReadProperty("ShowGrid", DefaultShowGrid).toBool();
    s.ShowWavelengths = bag.ReadProperty("ShowWavelengths", DefaultShowWavelengths).toBool();
    s.ShowPoint = bag.ReadProperty("ShowPoint", DefaultShowPoint).toBool();
    const qint32 ill = bag.ReadProperty("IllFile", DefaultIllFile).toInt(&ok);
    s.SelectedIllFile = ok ? ill : DefaultIllFile;
}

void UCIE::WriteProperties(PropertyBag& bag) const {
    const State& s = *state_;
    bag.WriteProperty("ShowColorFunctions", s.ShowColorFunctions, DefaultShowColorFunctions);
    bag.WriteProperty("ShowChromaticity", s.ShowChromaticity, DefaultShowChromaticity);
    bag.WriteProperty("Gamma", s.Gamma, DefaultGamma);
    bag.WriteProperty("ShowGrid", s.ShowGrid, DefaultShowGrid);
    bag.WriteProperty("ShowWavelengths", s.ShowWavelengths, DefaultShowWavelengths);
    bag.WriteProperty("ShowPoint", s.ShowPoint, DefaultShowPoint);
    bag.WriteProperty("IllFile", s.SelectedIllFile, DefaultIllFile);
}
