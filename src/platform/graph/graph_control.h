// The graph widget every graph of the program draws through: the graph
// window's and the two of the colorimetry control. Callers drive it by
// numbered properties, as they always did; it draws what they set and reports
// the cursor, the mouse, the customisation, the legend and the layout.
//
// Properties (P plain, C by curve, D by curve and point; kind in brackets):
//    3 P [bool]    kept and saved only
//    4 P [number]  grid colour
//    6 P [number]  frame colour (around the plotting area)
//    9 P [text]    main title
//   10 P [text]    subtitle
//   11 P [number]  number of curves, 0 to 4096; lowering drops the data of the
//                  curves beyond, their label, colour, line type and legend
//                  entry stay for when the count is raised again
//   12 P [number]  points per curve, 0 to 32767 (8 M points in all);
//                  lowering drops the points beyond, raising adds points
//                  without data
//   14, 17, 18 P [bool]  kept and saved only
//   19 P [number]  kept and saved only
//   32 P [text]    x-axis title
//   33 P [text]    y-axis title
//   40, 41, 42, 43 P [number]  kept and saved only
//   54 P [number]  y exponent k: with 256 the y labels are divided by 10^k and
//                  "×10^k" is shown when k is not 0; reads back as written
//   55 P [number]  non-zero: the y range is 56..57, otherwise automatic
//   56 P [number]  y range start
//   57 P [number]  y range end
//   58 P [number]  non-zero: the x range is 59..60 (either order), otherwise
//                  automatic
//   59 P [number]  x range start
//   60 P [number]  x range end
//   93 P [number]  x value that marks a point without data
//   96, 99 P [bool]  kept and saved only
//   98 P [number]  kept and saved only
//  108 P [number]  writing 0 shows every setting made so far
//  131 C [text]    curve label
//  132 C [number]  curve colour, 24-bit, red in the low byte
//  134 C [number]  curve line type: 0 thin solid, 1 dashed, 2 dotted,
//                  3 dash-dot, 4 dash-dot-dot, 5 medium solid, 6 medium
//                  dashed, 7 medium dotted, 8 thick solid; others thin solid
//  180 C [number]  legend entry: curves with an entry of 0 or more and a label
//                  are listed in the legend, by entry
//  197 P [bool]    kept and saved only
//  207, 209, 210 P [number]  kept and saved only
//  222 D [number]  y value of a point
//  223 P [bool]    kept and saved only
//  226 P [number]  y value that marks a point without data
//  227 P [bool]    kept and saved only
//  229 P [number]  kept and saved only
//  230, 231 P [bool]  kept and saved only
//  250 D [number]  x value of a point
//  255 P [bool]    kept and saved only
//  256 P [bool]    show the y exponent of 54
//  258 P [number]  1: the point cursor is on (click or arrow keys move it)
//  259 P [number]  1: the mouse pointer is a cross-hair over the graph
//  278, 280 P [bool]  kept and saved only
//  428 P [bool]    legend shown above the graph
//  595 P [number]  kept and saved only
// Index -1 as the curve writes every curve; -1 as the point empties the data
// of every curve. Numbers may be written as any of the numeric types. A
// write with an unknown id, a value of the wrong kind or an index out of
// bounds is refused and changes nothing. Points whose y is the 226 marker or
// whose x is the 93 marker, and NaN or infinite values, are gaps.
#pragma once

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/graph/graph_value.h"

class QDialog;
class QPainter;
class QPrinter;

#if defined(GRAPHCONTROL_BUILDING)
#define GRAPHCONTROL_API __attribute__((visibility("default")))
#else
#define GRAPHCONTROL_API
#endif

// One write as the control received it, refused ones included.
struct GraphWrite {
    int32_t Id = 0;
    std::optional<int32_t> Curve;
    std::optional<int32_t> Point;
    GraphValue Value;
    bool Accepted = false;
};

enum class GraphImageFormat { Png, Svg };

class GRAPHCONTROL_API GraphControl : public QWidget {
    Q_OBJECT
public:
    explicit GraphControl(QWidget* parent = nullptr);
    ~GraphControl() override;

    // Numbered access (see above). False when the write is refused.
    bool SetProperty(int32_t id, const GraphValue& value);
    bool SetProperty(int32_t id, int32_t curve, const GraphValue& value);
    bool SetProperty(int32_t id, int32_t curve, int32_t point, const GraphValue& value);
    std::optional<GraphValue> GetProperty(int32_t id) const;
    std::optional<GraphValue> GetProperty(int32_t id, int32_t curve) const;
    std::optional<GraphValue> GetProperty(int32_t id, int32_t curve, int32_t point) const;

    // Sees every write, in order.
    using WriteObserver = std::function<void(const GraphWrite&)>;
    void SetWriteObserver(WriteObserver observer);

    // Shows a dialog modally and returns its result code. The control's
    // dialogs run only through it; without one they fail.
    using DialogRunner = std::function<int(QDialog&)>;
    void SetDialogRunner(DialogRunner runner);

    // The last mouse position over the control, in widget pixels.
    QPoint LastMousePixel() const;
    // Widget pixels to graph values and back, on the x axis 0 and the y axis;
    // nothing for another axis or while there is no plotting area.
    std::optional<QPointF> PixelToGraph(int axis, QPointF pixel) const;
    std::optional<QPointF> GraphToPixel(int axis, QPointF value) const;

    // The whole look (every property but the point data) as one file. Loading
    // refuses a damaged or foreign file whole and keeps the current look.
    // Failures return false and, when asked, a text saying why.
    bool SaveLook(const std::string& path, std::string* error = nullptr) const;
    bool LoadLook(const std::string& path, std::string* error = nullptr);

    // The graph at the control's size.
    bool ExportImage(const std::string& path, GraphImageFormat format,
                     std::string* error = nullptr) const;
    // The data as a tab-separated text: a header line, then label, x and y of
    // every point with data.
    bool ExportData(const std::string& path, std::string* error = nullptr) const;
    // Asks for the printer (when askUser), then prints on Printer().
    bool Print(bool askUser = true, std::string* error = nullptr);
    QPrinter& Printer();

    // The control's own dialogs: choose a format and a file, then export; and
    // change the titles, curve colours and line types and the legend.
    // Cancelled by the user: false with an empty text.
    bool ShowExportDialog(std::string* error = nullptr);
    bool ShowCustomizeDialog(std::string* error = nullptr);

signals:
    // The point cursor moved to a point.
    void CursorMoved(int curve, int point);
    // The mouse moved over the control: buttons held, modifier keys held
    // (1 shift, 2 control, 4 alt), position in widget pixels.
    void MouseMoved(int button, int shift, float x, float y);
    // The user closed the customisation dialog with OK.
    void AfterCustomize();
    // The user changed the legend setting.
    void LegendChanged();
    // The control's layout changed through the user.
    void Relayout();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void DrawTo(QPainter& painter) const;
    void ApplyPointer();
    void MoveCursor(int32_t curve, int32_t point);

    struct State;
    std::unique_ptr<State> state_;
};
