// The graph window: the spectra of the work list in the graph control, a
// status bar for the mouse position and a small legend button over the
// graph's top-right corner. Its load restores the look the previous window
// left, its close saves it; closing deletes the window, so the next one
// loads afresh.
#pragma once

#include <QMainWindow>
#include <QRect>
#include <cstdint>
#include <string>
#include <vector>

class GraphControl;
class QAction;
class QLabel;
class QMenu;
class QStatusBar;

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

    QMenu* mnuFormat = nullptr;
    QMenu* mnuRad = nullptr;
    QAction* mnuRadParabolicCorrect = nullptr;
    QAction* mnuShowLegend = nullptr;

    // Form events, public so that tests can run them.
    void Form_Load();
    void Form_Resize();
    void Form_Unload();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildMenus();

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
