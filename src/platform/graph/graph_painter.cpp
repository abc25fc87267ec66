#include "platform/graph/graph_painter.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "platform/text/number.h"

namespace {

constexpr double kMargin = 8.0;
constexpr double kTickLength = 4.0;
constexpr double kSwatchWidth = 24.0;
constexpr int kLargestExponent = 300;

QString TickText(double value, int exponent) {
    const double shown = exponent == 0 ? value : value / std::pow(10.0, exponent);
    return QString::fromStdString(CStrDouble(shown));
}

int WantedTicks(double pixels, double spacing) {
    return std::clamp(static_cast<int>(pixels / spacing), 2, 20);
}

// A value a million times the range away from it still lands far outside
// the plot; only its side matters for clipping.
double Bounded(double pixel) {
    return std::clamp(pixel, -1e18, 1e18);
}

// Liang-Barsky: the part of the segment a-b inside the rectangle, if any.
bool ClipSegment(const QRectF& r, QPointF& a, QPointF& b) {
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    double t0 = 0.0;
    double t1 = 1.0;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const QPointF start = a;
    a = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    b = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    return true;
}

void DrawCurve(QPainter& painter, const GraphModel& model, const GraphLayout& layout,
               int32_t curve) {
    // Points well outside the plot are clipped as doubles here, because the
    // painter's own coordinates cannot hold a value like 1E+20 pixels.
    const QRectF safe = layout.Plot.adjusted(-2, -2, 2, 2);
    QPolygonF run;
    std::vector<QLineF> clipped;
    std::vector<QPointF> alone;
    QPointF previous;
    bool previousInside = false;
    int32_t runLength = 0;  // points with data since the last gap
    const auto endRun = [&] {
        if (run.size() > 1) {
            painter.drawPolyline(run);
        }
        run.clear();
    };
    for (int32_t p = 0; p <= model.PointCount(); ++p) {
        if (p == model.PointCount() || !model.HasData(curve, p)) {
            endRun();
            if (runLength == 1 && previousInside) {
                alone.push_back(previous);  // a point between gaps still shows
            }
            runLength = 0;
            continue;
        }
        const QPointF here(Bounded(layout.ToPixelX(model.X(curve, p))),
                           Bounded(layout.ToPixelY(model.Y(curve, p))));
        const bool inside = safe.contains(here);
        if (runLength > 0 && !(inside && previousInside)) {
            endRun();
            QPointF a = previous;
            QPointF b = here;
            if (ClipSegment(layout.Plot, a, b)) {
                clipped.emplace_back(a, b);
            }
        }
        if (inside) {
            run.append(here);
        }
        previous = here;
        previousInside = inside;
        ++runLength;
    }
    if (!clipped.empty()) {
        painter.drawLines(clipped.data(), static_cast<int>(clipped.size()));
    }
    if (!alone.empty()) {
        painter.drawPoints(alone.data(), static_cast<int>(alone.size()));
    }
}

void DrawExponent(QPainter& painter, const GraphLayout& layout, const GraphFonts& fonts) {
    painter.setPen(Qt::black);
    painter.setFont(fonts.Label);
    const QFontMetricsF label(fonts.Label);
    const QString base = QStringLiteral("\u00D710");
    const QPointF at(layout.Plot.left(), layout.Plot.top() - 4.0);
    painter.drawText(at, base);
    painter.setFont(fonts.Small);
    painter.drawText(at + QPointF(label.horizontalAdvance(base), -label.ascent() / 2.0),
                     QString::number(layout.Exponent));
}

void DrawLegend(QPainter& painter, const GraphModel& model, const GraphLayout& layout,
                const GraphFonts& fonts) {
    const QFontMetricsF metrics(fonts.Label);
    painter.setFont(fonts.Label);
    double x = layout.Legend.left();
    double y = layout.Legend.top();
    const double rowHeight = metrics.height() + 2.0;
    for (const int32_t curve : LegendCurves(model)) {
        const auto& look = model.Look(curve);
        const QString label = QString::fromStdString(look.Label);
        const double width = kSwatchWidth + 4.0 + metrics.horizontalAdvance(label) + 12.0;
        if (x > layout.Legend.left() && x + width > layout.Legend.right()) {
            x = layout.Legend.left();
            y += rowHeight;
        }
        const double middle = y + rowHeight / 2.0;
        painter.setPen(GraphLinePen(look.LineType, GraphColour(look.Colour)));
        painter.drawLine(QPointF(x, middle), QPointF(x + kSwatchWidth, middle));
        painter.setPen(Qt::black);
        painter.drawText(QRectF(x + kSwatchWidth + 4.0, y, width, rowHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, label);
        x += width;
    }
}

}  // namespace

namespace {

// A colour or a line type written as a fraction counts as its nearest whole
// number, halves to even; what is no number at all counts as 0.
int32_t NearestWhole(const GraphValue& value) {
    const double number = std::nearbyint(GraphNumber(value).value_or(0.0));
    return std::isfinite(number) && std::fabs(number) < 2147483648.0 ? static_cast<int32_t>(number)
                                                                     : 0;
}

}  // namespace

QColor GraphColour(const GraphValue& value) {
    const auto bits = static_cast<uint32_t>(NearestWhole(value));
    return QColor(static_cast<int>(bits & 0xFF), static_cast<int>((bits >> 8) & 0xFF),
                  static_cast<int>((bits >> 16) & 0xFF));
}

int32_t GraphColourValue(const QColor& colour) {
    return colour.red() | (colour.green() << 8) | (colour.blue() << 16);
}

const std::vector<const char*>& GraphLineTypeNames() {
    static const std::vector<const char*> names{
        "Thin solid",   "Dashed",        "Dotted",        "Dash-dot",    "Dash-dot-dot",
        "Medium solid", "Medium dashed", "Medium dotted", "Thick solid",
    };
    return names;
}

QPen GraphLinePen(const GraphValue& lineType, const QColor& colour) {
    struct Style {
        double Width;
        Qt::PenStyle Pattern;
    };
    static constexpr Style kStyles[] = {
        {1, Qt::SolidLine},   {1, Qt::DashLine},       {1, Qt::DotLine},
        {1, Qt::DashDotLine}, {1, Qt::DashDotDotLine}, {2, Qt::SolidLine},
        {2, Qt::DashLine},    {2, Qt::DotLine},        {3, Qt::SolidLine},
    };
    const auto type = NearestWhole(lineType);
    const Style style =
        type >= 0 && type < static_cast<int32_t>(std::size(kStyles)) ? kStyles[type] : kStyles[0];
    QPen pen(colour, style.Width, style.Pattern);
    pen.setCosmetic(false);
    return pen;
}

double GraphLayout::ToPixelX(double x) const {
    return Plot.left() + (x - X.Low) / (X.High - X.Low) * Plot.width();
}

double GraphLayout::ToPixelY(double y) const {
    return Plot.bottom() - (y - Y.Low) / (Y.High - Y.Low) * Plot.height();
}

double GraphLayout::ToGraphX(double px) const {
    return X.Low + (px - Plot.left()) / Plot.width() * (X.High - X.Low);
}

double GraphLayout::ToGraphY(double py) const {
    return Y.Low + (Plot.bottom() - py) / Plot.height() * (Y.High - Y.Low);
}

GraphFonts MakeGraphFonts(const QFont& base) {
    GraphFonts fonts{base, base, base};
    fonts.Title.setPixelSize(16);
    fonts.Title.setBold(true);
    fonts.Label.setPixelSize(12);
    fonts.Small.setPixelSize(9);
    return fonts;
}

GraphLayout LayOutGraph(const GraphModel& model, QSizeF size, const GraphFonts& fonts) {
    GraphLayout layout;
    const QFontMetricsF title(fonts.Title);
    const QFontMetricsF label(fonts.Label);
    const double width = size.width();
    double top = kMargin;
    double bottom = size.height() - kMargin;
    double left = kMargin;
    const double right = width - kMargin - label.horizontalAdvance(QStringLiteral("00000")) / 2.0;

    if (!model.Text(9).empty()) {
        layout.Title = QRectF(kMargin, top, width - 2 * kMargin, title.height());
        top += title.height() + 2.0;
    }
    if (!model.Text(10).empty()) {
        layout.Subtitle = QRectF(kMargin, top, width - 2 * kMargin, label.height());
        top += label.height() + 2.0;
    }
    if (model.Flag(428)) {
        const auto curves = LegendCurves(model);
        if (!curves.empty()) {
            int rows = 1;
            double x = 0.0;
            const double available = width - 2 * kMargin;
            for (const int32_t curve : curves) {
                const double item =
                    kSwatchWidth + 16.0 +
                    label.horizontalAdvance(QString::fromStdString(model.Look(curve).Label));
                if (x > 0.0 && x + item > available) {
                    ++rows;
                    x = 0.0;
                }
                x += item;
            }
            const double height = rows * (label.height() + 2.0);
            layout.Legend = QRectF(kMargin, top, available, height);
            top += height + 4.0;
        }
    }
    if (model.Flag(256)) {
        const double k = model.Number(54);
        layout.Exponent =
            std::isfinite(k)
                ? static_cast<int>(std::clamp(std::nearbyint(k), -double{kLargestExponent},
                                              double{kLargestExponent}))
                : 0;
    }
    // Room for the exponent and for the top half of the highest y label.
    top += layout.Exponent != 0 ? label.height() + 2.0 : label.height() / 2.0;

    if (!model.Text(32).empty()) {
        layout.XTitle =
            QRectF(kMargin, bottom - label.height(), width - 2 * kMargin, label.height());
        bottom -= label.height() + 2.0;
    }
    bottom -= label.height() + kTickLength + 2.0;  // the x labels

    if (!model.Text(33).empty()) {
        layout.YTitle = QRectF(kMargin, top, label.height(), std::max(0.0, bottom - top));
        left += label.height() + 4.0;
    }
    const double plotHeight = bottom - top;
    layout.Y = YRange(model, WantedTicks(plotHeight, 40.0));
    layout.YTicks = GraphTicks(layout.Y, WantedTicks(plotHeight, 40.0));
    double labelWidth = 0.0;
    for (const double tick : layout.YTicks) {
        labelWidth = std::max(labelWidth, label.horizontalAdvance(TickText(tick, layout.Exponent)));
    }
    left += labelWidth + kTickLength + 4.0;
    const double plotWidth = right - left;
    layout.X = XRange(model, WantedTicks(plotWidth, 90.0));
    layout.XTicks = GraphTicks(layout.X, WantedTicks(plotWidth, 90.0));
    if (plotWidth >= 1.0 && plotHeight >= 1.0) {
        layout.Plot = QRectF(left, top, plotWidth, plotHeight);
    }
    if (!layout.YTitle.isNull()) {
        layout.YTitle.setHeight(std::max(0.0, plotHeight));
    }
    return layout;
}

void DrawGraph(QPainter& painter, const GraphModel& model, const GraphLayout& layout,
               const GraphFonts& fonts, QSizeF size, GraphCursor cursor) {
    painter.fillRect(QRectF(QPointF(0, 0), size), GraphColour(model.Get(6).value_or(0)));
    painter.setPen(Qt::black);
    if (!layout.Title.isNull()) {
        painter.setFont(fonts.Title);
        painter.drawText(layout.Title, Qt::AlignHCenter | Qt::AlignVCenter,
                         QString::fromStdString(model.Text(9)));
    }
    painter.setFont(fonts.Label);
    if (!layout.Subtitle.isNull()) {
        painter.drawText(layout.Subtitle, Qt::AlignHCenter | Qt::AlignVCenter,
                         QString::fromStdString(model.Text(10)));
    }
    if (!layout.Legend.isNull()) {
        DrawLegend(painter, model, layout, fonts);
    }
    if (layout.Plot.isEmpty()) {
        return;
    }
    const QRectF& plot = layout.Plot;
    painter.fillRect(plot, Qt::white);

    // Grid, ticks and their labels.
    painter.setFont(fonts.Label);
    const QFontMetricsF label(fonts.Label);
    const QPen gridPen(GraphColour(model.Get(4).value_or(0)), 0, Qt::DotLine);
    for (const double tick : layout.XTicks) {
        const double x = layout.ToPixelX(tick);
        painter.setPen(gridPen);
        painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength));
        const QString text = TickText(tick, 0);
        const double w = label.horizontalAdvance(text);
        painter.drawText(QPointF(x - w / 2.0, plot.bottom() + kTickLength + label.ascent() + 1.0),
                         text);
    }
    for (const double tick : layout.YTicks) {
        const double y = layout.ToPixelY(tick);
        painter.setPen(gridPen);
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        painter.setPen(Qt::black);
        painter.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y));
        const QString text = TickText(tick, layout.Exponent);
        const double w = label.horizontalAdvance(text);
        painter.drawText(QPointF(plot.left() - kTickLength - 2.0 - w,
                                 y + (label.ascent() - label.descent()) / 2.0),
                         text);
    }
    if (layout.Exponent != 0) {
        DrawExponent(painter, layout, fonts);
    }
    painter.setFont(fonts.Label);
    painter.setPen(Qt::black);
    if (!layout.XTitle.isNull()) {
        painter.drawText(layout.XTitle, Qt::AlignHCenter | Qt::AlignVCenter,
                         QString::fromStdString(model.Text(32)));
    }
    if (!layout.YTitle.isNull()) {
        painter.save();
        painter.translate(layout.YTitle.left(), layout.YTitle.bottom());
        painter.rotate(-90.0);
        painter.drawText(QRectF(0, 0, layout.YTitle.height(), layout.YTitle.width()),
                         Qt::AlignHCenter | Qt::AlignVCenter,
                         QString::fromStdString(model.Text(33)));
        painter.restore();
    }

    // The curves, inside the plot only.
    painter.save();
    painter.setClipRect(plot);
    for (int32_t c = 0; c < model.CurveCount(); ++c) {
        const auto& look = model.Look(c);
        painter.setPen(GraphLinePen(look.LineType, GraphColour(look.Colour)));
        DrawCurve(painter, model, layout, c);
    }
    if (cursor.Curve >= 0 && cursor.Curve < model.CurveCount() && cursor.Point >= 0 &&
        cursor.Point < model.PointCount() && model.HasData(cursor.Curve, cursor.Point)) {
        const QPointF at(layout.ToPixelX(model.X(cursor.Curve, cursor.Point)),
                         layout.ToPixelY(model.Y(cursor.Curve, cursor.Point)));
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(at.x() - 4, at.y() - 4, 8, 8));
    }
    painter.restore();
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(plot);
}
