// Where everything of a graph goes at a given size, and the drawing itself.
// One layout serves the screen, the exported images and the printer, so the
// mouse conversions match what is seen.
#pragma once

#include <QColor>
#include <QFont>
#include <QPen>
#include <QRectF>
#include <QSizeF>
#include <vector>

#include "platform/graph/graph_model.h"
#include "platform/graph/graph_scale.h"

class QPainter;

// 24-bit colour, red in the low byte.
QColor GraphColour(const GraphValue& value);
int32_t GraphColourValue(const QColor& colour);

// The pen of a line type; unknown types draw thin and solid.
QPen GraphLinePen(const GraphValue& lineType, const QColor& colour);
// The names of the line types the customisation offers, by number.
const std::vector<const char*>& GraphLineTypeNames();

struct GraphLayout {
    QRectF Plot;
    GraphRange X;
    GraphRange Y;
    std::vector<double> XTicks;
    std::vector<double> YTicks;
    int Exponent = 0;  // the y labels are divided by 10^Exponent
    QRectF Title;
    QRectF Subtitle;
    QRectF Legend;
    QRectF XTitle;
    QRectF YTitle;

    double ToPixelX(double x) const;
    double ToPixelY(double y) const;
    double ToGraphX(double px) const;
    double ToGraphY(double py) const;
};

// The fonts the graph uses, sized in pixels so that every device draws the
// same picture.
struct GraphFonts {
    QFont Title;
    QFont Label;
    QFont Small;
};
GraphFonts MakeGraphFonts(const QFont& base);

GraphLayout LayOutGraph(const GraphModel& model, QSizeF size, const GraphFonts& fonts);

struct GraphCursor {
    int32_t Curve = -1;
    int32_t Point = -1;
};

void DrawGraph(QPainter& painter, const GraphModel& model, const GraphLayout& layout,
               const GraphFonts& fonts, QSizeF size, GraphCursor cursor);
