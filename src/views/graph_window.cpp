#include "views/graph_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QStatusBar>
#include <cmath>
#include <exception>

#include "frame/batch_host.h"
#include "frame/settings.h"
#include "platform/graph/graph_control.h"
#include "platform/shell/paths.h"
#include "platform/ui/center.h"
#include "platform/ui/ui.h"
#include "spectrum/state.h"
#include "views/graph_values.h"
#include "views/legend_window.h"
#include "views/state.h"

namespace {

// The window's measures were laid down in twips, 15 to a pixel at 96 dpi.
int Pixels(int twips) {
    return static_cast<int>(std::lrint(twips / 15.0));
}

constexpr int StatusPanels = 2;
constexpr int LegendButtonSize = 16;
const QColor LightGrey(0xC0, 0xC0, 0xC0);

std::string SavedLookPath() {
    return SettingsFolder + "SaveGraph.bin";
}

}  // namespace

LegendButton::LegendButton(QWidget* parent) : QWidget(parent) {}

void LegendButton::DrawEdge(const QRect& area, bool sunken) {
    edge_ = area;
    sunken_ = sunken;
    repaint();
}

void LegendButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Window));
    if (!edge_.isValid()) {
        return;
    }
    // Raised: light above and left, dark below and right; sunken the other
    // way round, in the softer shadow grey.
    const QColor topLeft = sunken_ ? QColor(0x80, 0x80, 0x80) : QColor(Qt::white);
    const QColor bottomRight = sunken_ ? QColor(Qt::white) : QColor(0x40, 0x40, 0x40);
    painter.setPen(topLeft);
    painter.drawLine(edge_.topLeft(), edge_.topRight());
    painter.drawLine(edge_.topLeft(), edge_.bottomLeft());
    painter.setPen(bottomRight);
    painter.drawLine(edge_.bottomLeft(), edge_.bottomRight());
    painter.drawLine(edge_.topRight(), edge_.bottomRight());
}

void LegendButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit Click();
    }
    QWidget::mouseReleaseEvent(event);
}

frmGraph::frmGraph() {
    setObjectName("frmGraph");
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Lumivex Graph"));

    area_ = new QWidget(this);
    setCentralWidget(area_);
    area_->installEventFilter(this);

    Graph1 = new GraphControl(area_);
    Graph1->setObjectName("Graph1");
    Graph1->SetDialogRunner([](QDialog& dialog) { return ShowModal(dialog); });

    picLegend = new LegendButton(area_);
    picLegend->setObjectName("picLegend");
    picLegend->resize(LegendButtonSize, LegendButtonSize);
    picLegend->setAutoFillBackground(true);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName("StatusBar1");
    setStatusBar(StatusBar1);
    for (int panel = 1; panel <= StatusPanels; ++panel) {
        auto* label = new QLabel(StatusBar1);
        label->setObjectName(QString("StatusPanel%1").arg(panel));
        label->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
        StatusBar1->addWidget(label);
        panels_.push_back(label);
    }

    BuildMenus();
    ConnectMenus();
    ConnectGraph();
    resize(760, 520);
}

frmGraph::~frmGraph() {
    // A window deleted without closing must not stay the graph in use.
    if (CurrentGraph == this) {
        CurrentGraph = nullptr;
        GraphOpen = false;
    }
}

void frmGraph::BuildMenus() {
    auto item = [](QMenu* menu, const char* name, const char* caption) {
        QAction* action = menu->addAction(QString::fromUtf8(caption));
        action->setObjectName(name);
        return action;
    };
    auto submenu = [](QMenu* menu, const char* name, const char* caption) {
        QMenu* sub = menu->addMenu(QString::fromUtf8(caption));
        sub->setObjectName(name);
        sub->menuAction()->setObjectName(name);
        return sub;
    };
    auto separator = [](QMenu* menu, const char* name) {
        QAction* action = menu->addSeparator();
        action->setObjectName(name);
        return action;
    };

    QMenuBar* bar = menuBar();
    mnuFormat = bar->addMenu(QStringLiteral("Format"));
    mnuFormat->setObjectName("mnuFormat");
    mnuFormat->menuAction()->setObjectName("mnuFormat");
    // Shown by the main window's Graph Data command.
    mnuFormat->menuAction()->setVisible(false);

    mnuDN = item(mnuFormat, "mnuDN", "DN");
    mnuReflectance = submenu(mnuFormat, "mnuReflectance", "Reflectance");
    mnuRefNoDer = item(mnuReflectance, "mnuRefNoDer", "No Derivative");
    mnuRef1Der = item(mnuReflectance, "mnuRef1Der", "1st Derivative");
    mnuRef2Der = item(mnuReflectance, "mnuRef2Der", "2nd Derivative");
    mnuReflectanceAbsolute = item(mnuReflectance, "mnuReflectanceAbsolute", "Absolute");
    mnuTransmittance = submenu(mnuFormat, "mnuTransmittance", "Transmittance");
    mnuTranNoDer = item(mnuTransmittance, "mnuTranNoDer", "No Derivative");
    mnuTran1Der = item(mnuTransmittance, "mnuTran1Der", "1st Derivative");
    mnuTran2Der = item(mnuTransmittance, "mnuTran2Der", "2nd Derivative");
    mnuLog1R = submenu(mnuFormat, "mnuLog1R", "Log 1/R");
    mnuLogRNoDer = item(mnuLog1R, "mnuLogRNoDer", "No Derivative");
    mnuLogR1Der = item(mnuLog1R, "mnuLogR1Der", "1st Derivative");
    mnuLogR2Der = item(mnuLog1R, "mnuLogR2Der", "2nd Derivative");
    mnuLog1T = submenu(mnuFormat, "mnuLog1T", "Log 1/T");
    mnuLogTNoDer = item(mnuLog1T, "mnuLogTNoDer", "No Derivative");
    mnuLogT1Der = item(mnuLog1T, "mnuLogT1Der", "1st Derivative");
    mnuLogT2Der = item(mnuLog1T, "mnuLogT2Der", "2nd Derivative");
    mnuRad = submenu(mnuFormat, "mnuRad", "Radiance/Irradiance");
    mnuRadRadiance = item(mnuRad, "mnuRadRadiance", "Radiance");
    mnuRadIrradiance = item(mnuRad, "mnuRadIrradiance", "Irradiance");
    mnuRadParabolicCorrect = item(mnuRad, "mnuRadParabolicCorrect", "Parabolic Correct");
    mnuRadParabolicCorrect->setCheckable(true);
    mnuSpacer1 = separator(mnuFormat, "mnuSpacer1");
    mnuReference = item(mnuFormat, "mnuReference", "Reference");
    mnuCalBuffer = submenu(mnuFormat, "mnuCalBuffer", "Calibration");
    mnuCalBufferABS = item(mnuCalBuffer, "mnuCalBufferABS", "ABS");
    mnuCalBufferBSE = item(mnuCalBuffer, "mnuCalBufferBSE", "BSE");
    mnuCalBufferLMP = item(mnuCalBuffer, "mnuCalBufferLMP", "LMP");
    mnuCalBufferFO = item(mnuCalBuffer, "mnuCalBufferFO", "FO");
    mnuSpacer2 = separator(mnuFormat, "mnuSpacer2");
    mnuDerivGap = item(mnuFormat, "mnuDerivGap", "Derivative Gap");
    mnuSpacer3 = separator(mnuFormat, "mnuSpacer3");
    mnuShowLegend = item(mnuFormat, "mnuShowLegend", "Show legend above graph");
    mnuShowLegend->setCheckable(true);

    auto top = [bar](const char* name, const char* caption) {
        QAction* action = bar->addAction(QString::fromUtf8(caption));
        action->setObjectName(name);
        return action;
    };
    mnuPrint = top("mnuPrint", "Print");
    mnuExport = top("mnuExport", "Export");
    mnuTitle = top("mnuTitle", "Title");
    mnuSubTitle = top("mnuSubTitle", "SubTitle");
}

QLabel* frmGraph::StatusPanel(int Panel) const {
    if (Panel < 1 || Panel > static_cast<int>(panels_.size())) {
        return nullptr;
    }
    return panels_[static_cast<std::size_t>(Panel - 1)];
}

void frmGraph::StatusBar(const std::string& Text, int Panel) {
    QLabel* label = StatusPanel(Panel);
    if (label == nullptr) {
        return;
    }
    label->setText(QString::fromStdString(Text + "  "));
    label->adjustSize();
}

void frmGraph::SetLegendButtonState(bool Pressed) {
    picLegend->DrawEdge(LegendButtonRect, Pressed);
}

void frmGraph::Form_Load() {
    CenterForm(*this);
    // The look the previous window of this run left; a look that cannot be
    // read counts as none.
    if (!FileExists(SavedLookPath()) || !Graph1->LoadLook(SavedLookPath())) {
        InitGraph(static_cast<int16_t>(MainHost().List1().ListCount()));
    }
    PlotFormat = LastPlotFormat;
    PlotDeriv = LastPlotDeriv;
    Graph1->SetProperty(259, int32_t{1});
    Graph1->SetProperty(258, int32_t{1});
    Graph1->SetProperty(9, std::string("Spectral Data"));
    Graph1->SetProperty(93, int16_t{-9999});
    Graph1->SetProperty(226, int16_t{-9999});
    Graph1->SetProperty(227, true);
    Graph1->SetProperty(197, true);

    QPalette palette = picLegend->palette();
    palette.setColor(QPalette::Window, LightGrey);
    picLegend->setPalette(palette);
    picLegend->setToolTip(QStringLiteral("Legend"));
    LegendButtonRect = QRect(QPoint(0, 0), QPoint(picLegend->width() - 1, picLegend->height() - 1));
    SetLegendButtonState(false);
    mnuShowLegend->setChecked(true);
    GraphOpen = true;
    Form_Resize();
}

void frmGraph::Form_Resize() {
    if (isMinimized() || area_->height() == 0) {
        return;
    }
    Graph1->setGeometry(0, 0, area_->width(), area_->height());
    const int width = area_->width();
    const int button = picLegend->width();
    int left = width - (button + Pixels(10));
    if (FlagOf(Graph1->GetProperty(99))) {
        left = width - button - Pixels(270);
    }
    picLegend->move(left, Pixels(10));
    picLegend->raise();
}

void frmGraph::Form_Unload() {
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    Graph1->SaveLook(SavedLookPath());
    LastPlotFormat = PlotFormat;
    LastPlotDeriv = PlotDeriv;
    SaveSettings();
    GraphOpen = false;
    if (CurrentGraph == this) {
        CurrentGraph = nullptr;
    }
    if (LegendForm != nullptr) {
        LegendForm->close();
    }
}

void frmGraph::closeEvent(QCloseEvent* event) {
    try {
        Form_Unload();
    } catch (const std::exception& error) {
        // The window closes all the same; what could not be kept is said.
        MsgBox(error.what(), vbOKOnly + vbExclamation, AppTitle);
    }
    event->accept();
}

bool frmGraph::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_ && event->type() == QEvent::Resize) {
        Form_Resize();
    }
    return QMainWindow::eventFilter(watched, event);
}

frmGraph* OpenGraphWindow() {
    auto* window = new frmGraph;
    CurrentGraph = window;
    window->Form_Load();
    return window;
}

frmGraph* ActiveGraphWindow() {
    return qobject_cast<frmGraph*>(CurrentGraph);
}

void InitGraph(int16_t SubsetCount) {
    frmGraph* window = ActiveGraphWindow();
    if (window == nullptr) {
        return;
    }
    GraphControl& graph = *window->Graph1;
    graph.SetProperty(250, 0, -1, 0.0);
    graph.SetProperty(222, 0, -1, 0.0);
    graph.SetProperty(11, int16_t{0});
    graph.SetProperty(11, SubsetCount);
    for (int s = 0; s < SubsetCount; ++s) {
        graph.SetProperty(132, s, LineColor[static_cast<std::size_t>(s % 16)]);
        graph.SetProperty(134, s, LineType[static_cast<std::size_t>(s % 16)]);
    }
    graph.SetProperty(6, int32_t{0xC0C0C0});
    graph.SetProperty(4, int32_t{0x808080});
    graph.SetProperty(210, int16_t{2});
    graph.SetProperty(32, std::string(" "));
    graph.SetProperty(33, std::string(" "));
    graph.SetProperty(231, false);
    graph.SetProperty(230, false);
    graph.SetProperty(14, true);
    graph.SetProperty(255, false);
    graph.SetProperty(96, false);
    graph.SetProperty(18, true);
    graph.SetProperty(98, int16_t{3});
    graph.SetProperty(17, true);
    graph.SetProperty(19, int16_t{1});
    graph.SetProperty(223, true);
    graph.SetProperty(280, true);
    graph.SetProperty(42, int32_t{0});
    graph.SetProperty(229, int16_t{0});
    graph.SetProperty(207, int16_t{0});
    graph.SetProperty(209, int16_t{0});
    graph.SetProperty(40, int16_t{0});
    graph.SetProperty(41, int16_t{1});
    graph.SetProperty(55, int16_t{0});
    graph.SetProperty(58, int16_t{3});
    // Start above and end below every real wavelength, so that the first
    // point drawn replaces both ends.
    GraphMinWavelength = 2500;
    GraphMaxWavelength = 350;
    graph.SetProperty(59, int32_t{2500});
    graph.SetProperty(60, int32_t{350});
    graph.SetProperty(278, true);
    graph.SetProperty(226, int16_t{-9999});
    graph.SetProperty(93, int16_t{-9999});
    graph.SetProperty(108, int16_t{0});
}
