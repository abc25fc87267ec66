// The graph window: the spectra of the work list in the graph control, a
// status bar for the mouse position and a small legend button over the
// graph's top-right corner. Its load restores the look the previous window
// left, its close saves it; closing deletes the window, so the next one
// loads afresh.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QRect>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class GraphControl;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class frmCMForm;

// The legend button: a light-grey square whose edge shows whether the legend
// window is open (sunken) or closed (raised).
class LegendButton : public QWidget {
    Q_OBJECT
public:
    explicit LegendButton(QWidget* parent = nullptr);

    // Draws the edge inside area (widget pixels) sunken or raised.
    void DrawEdge(const QRect& area, bool sunken);
    bool Sunken() const { return sunken_; }

signals:
    void Click();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRect edge_;
    bool sunken_ = false;
};

class frmGraph : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window's controls; OpenGraphWindow loads it.
    frmGraph();
    ~frmGraph() override;

    // Sets panel Panel (from 1) of the status bar to Text and two blanks,
    // sized to its contents.
    void StatusBar(const std::string& Text, int Panel);
    // The legend button drawn pressed (legend open) or released.
    void SetLegendButtonState(bool Pressed);

    // The status bar's panel of that number; null for a number it has not.
    QLabel* StatusPanel(int Panel) const;

    GraphControl* Graph1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    LegendButton* picLegend = nullptr;
    // The legend button's area for its edge, in its own pixels.
    QRect LegendButtonRect;

    // The menu bar, named as the controls.
    QMenu* mnuFormat = nullptr;
    QAction* mnuDN = nullptr;
    QMenu* mnuReflectance = nullptr;
    QAction* mnuRefNoDer = nullptr;
    QAction* mnuRef1Der = nullptr;
    QAction* mnuRef2Der = nullptr;
    QAction* mnuReflectanceAbsolute = nullptr;
    QMenu* mnuTransmittance = nullptr;
    QAction* mnuTranNoDer = nullptr;
    QAction* mnuTran1Der = nullptr;
    QAction* mnuTran2Der = nullptr;
    QMenu* mnuLog1R = nullptr;
    QAction* mnuLogRNoDer = nullptr;
    QAction* mnuLogR1Der = nullptr;
    QAction* mnuLogR2Der = nullptr;
    QMenu* mnuLog1T = nullptr;
    QAction* mnuLogTNoDer = nullptr;
    QAction* mnuLogT1Der = nullptr;
    QAction* mnuLogT2Der = nullptr;
    QMenu* mnuRad = nullptr;
    QAction* mnuRadRadiance = nullptr;
    QAction* mnuRadIrradiance = nullptr;
    QAction* mnuRadParabolicCorrect = nullptr;
    QAction* mnuSpacer1 = nullptr;
    QAction* mnuReference = nullptr;
    QMenu* mnuCalBuffer = nullptr;
    QAction* mnuCalBufferABS = nullptr;
    QAction* mnuCalBufferBSE = nullptr;
    QAction* mnuCalBufferLMP = nullptr;
    QAction* mnuCalBufferFO = nullptr;
    QAction* mnuSpacer2 = nullptr;
    QAction* mnuDerivGap = nullptr;
    QAction* mnuSpacer3 = nullptr;
    QAction* mnuShowLegend = nullptr;
    QAction* mnuPrint = nullptr;
    QAction* mnuExport = nullptr;
    QAction* mnuTitle = nullptr;
    QAction* mnuSubTitle = nullptr;

    // The mouse position the graph reported last, in its own pixels, and the
    // wavenumber there; the point readout shows and places itself by them.
    double LastMouseX = 0;
    double LastMouseY = 0;
    std::string WavenumberText;
    // The point readout while it is open.
    QPointer<frmCMForm> CMForm;

    // Form events, public so that tests can run them.
    void Form_Load();
    void Form_Resize();
    void Form_Unload();

    // Menu commands. A display-mode item restyles the graph for the work
    // list, sets the mode and, where it has one, the derivative, and plots
    // again.
    void ChooseDisplayMode(int16_t format, std::optional<int16_t> deriv, bool reference = false);
    void mnuDerivGap_Click();
    void mnuShowLegend_Click();
    void mnuPrint_Click();
    void mnuExport_Click();
    void mnuTitle_Click();
    void mnuSubTitle_Click();
    void picLegend_Click();

    // The graph's events.
    void Graph1_AfterCustomize();
    void Graph1_LegendChanged();
    void Graph1_MouseMove(int button, int shift, float x, float y);
    void Graph1_CursorMove(int curve, int point);
    // The status bar and wavenumber of a mouse position in graph values.
    void ShowMousePosition(double gx, double gy);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();
    void ConnectMenus();
    void ConnectGraph();

    QWidget* area_ = nullptr;  // above the status bar: the graph and the button
    std::vector<QLabel*> panels_;
    bool unloaded_ = false;
};

// Creates and loads a graph window and makes it CurrentGraph.
frmGraph* OpenGraphWindow();
// CurrentGraph as the graph window; null when there is none.
frmGraph* ActiveGraphWindow();

// Puts the graph of CurrentGraph into its default style for SubsetCount
// curves, with the stored curve colours and line types, and starts the
// running wavelength range afresh. Does nothing without a graph window.
void InitGraph(int16_t SubsetCount);
