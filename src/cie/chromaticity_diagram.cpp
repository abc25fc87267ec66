// Tab 3: the chromaticity diagram of the chosen observer, its optional grid
// and wavelength labels, and the marker of the colour in the point boxes.

#include "cie/chromaticity_diagram.h"

#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <map>

#include "cie/screen_text.h"
#include "cie/ucie_parts.h"

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const QRgb LocusRed = qRgb(255, 0, 0);
const QRgb GridGrey = qRgb(128, 128, 128);

const char* const Titles[2] = {"1931 CIE Chromacity", "1964 CIE Chromacity"};

int Safe(int observer) {
    return observer == Observer10 ? Observer10 : Observer2;
}

// Where a wavelength's tick points and where its label goes, for the
// wavelengths that get one; the others would crowd the blue corner and the
// nearly straight red end.
struct WavelengthMark {
    float dx;
    float dy;
    int shiftX;
    int shiftY;
};

std::optional<WavelengthMark> MarkFor(int wavelength) {
    if (wavelength == 420 || (wavelength >= 460 && wavelength <= 500)) {
        return WavelengthMark{-0.01f, -0.01f, -25, 0};
    }
    if (wavelength == 510) {
        return WavelengthMark{-0.01f, 0.01f, -25, -10};
    }
    if (wavelength == 520) {
        return WavelengthMark{0.0f, 0.01f, -10, -17};
    }
    if (wavelength >= 530 && wavelength <= 620) {
        return WavelengthMark{0.01f, 0.01f, 3, -17};
    }
    if (wavelength == 630) {
        return WavelengthMark{0.01f, 0.01f, 5, -10};
    }
    if (wavelength == 680) {
        return WavelengthMark{0.01f, 0.0f, 5, -5};
    }
    return std::nullopt;
}

void MoveToChroma(const DiagramGeometry& g, float x, float y, DiagramPicture& picture) {
    const PixelPoint at = ChromaToPixel(g, x, y);
    picture.CurrentX = at.px;
    picture.CurrentY = at.py;
}

void LineToChroma(const DiagramGeometry& g, float x, float y, QRgb color, DiagramPicture& picture) {
    const PixelPoint to = ChromaToPixel(g, x, y);
    picture.LineTo(to.px, to.py, color);
}

}  // namespace

// ---- drawing surface -------------------------------------------------------

void DiagramPicture::Create(int width, int height) {
    Image = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    Cls();
}

void DiagramPicture::Cls() {
    Image.fill(BackColor);
    CurrentX = 0;
    CurrentY = 0;
}

std::optional<QRgb> DiagramPicture::Point(int x, int y) const {
    if (x < 0 || y < 0 || x >= Image.width() || y >= Image.height()) {
        return std::nullopt;
    }
    return Image.pixel(x, y);
}

void DiagramPicture::PSet(int x, int y, QRgb color) {
    if (x < 0 || y < 0 || x >= Image.width() || y >= Image.height()) {
        return;
    }
    Image.setPixel(x, y, color);
}

void DiagramPicture::LineTo(int x, int y, QRgb color) {
    // Bresenham in 64 bits: a point far outside the picture must not wrap.
    std::int64_t x0 = CurrentX;
    std::int64_t y0 = CurrentY;
    const std::int64_t dx = std::llabs(x - x0);
    const std::int64_t dy = -std::llabs(y - y0);
    const int stepX = x0 < x ? 1 : -1;
    const int stepY = y0 < y ? 1 : -1;
    std::int64_t error = dx + dy;
    const std::int64_t w = Image.width();
    const std::int64_t h = Image.height();
    for (std::int64_t n = 0;; ++n) {
        // A dotted line lights every other pixel.
        if ((!Dotted || n % 2 == 0) && x0 >= 0 && y0 >= 0 && x0 < w && y0 < h) {
            Image.setPixel(static_cast<int>(x0), static_cast<int>(y0), color);
        }
        if (x0 == x && y0 == y) {
            break;
        }
        // Past the picture on the way out there is nothing more to draw.
        if ((x0 < 0 && stepX < 0) || (x0 >= w && stepX > 0) || (y0 < 0 && stepY < 0) ||
            (y0 >= h && stepY > 0)) {
            break;
        }
        const std::int64_t twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
    CurrentX = x;
    CurrentY = y;
}

void DiagramPicture::Circle(int x, int y, int radius, QRgb color, bool filled) {
    // The midpoint circle; a filled circle also colours each row between its
    // outline points.
    std::map<int, std::pair<int, int>> rows;
    const auto plot = [&](int px, int py) {
        PSet(px, py, color);
        auto [it, inserted] = rows.try_emplace(py, px, px);
        if (!inserted) {
            it->second.first = std::min(it->second.first, px);
            it->second.second = std::max(it->second.second, px);
        }
    };
    int cx = radius;
    int cy = 0;
    int error = 1 - radius;
    while (cx >= cy) {
        for (const auto& [ox, oy] : {std::pair{cx, cy}, std::pair{cy, cx}}) {
            plot(x + ox, y + oy);
            plot(x - ox, y + oy);
            plot(x + ox, y - oy);
            plot(x - ox, y - oy);
        }
        ++cy;
        if (error < 0) {
            error += 2 * cy + 1;
        } else {
            --cx;
            error += 2 * (cy - cx) + 1;
        }
    }
    if (filled) {
        for (const auto& [row, span] : rows) {
            for (int px = span.first; px <= span.second; ++px) {
                PSet(px, row, color);
            }
        }
    }
}

void DiagramPicture::Print(const QString& text) {
    QPainter painter(&Image);
    QFont font = Font;
    font.setStyleStrategy(QFont::NoAntialias);
    painter.setFont(font);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QColor(ForeColor));
    painter.drawText(CurrentX, CurrentY + QFontMetrics(font).ascent(), text);
}

// ---- the diagram -------------------------------------------------------------

void UCIE::SetupDiagram() {
    ChromaticityDiagram& d = state_->Diagram;
    QLabel* picture = panel_->picCIE;
    // The picture's pixels are the diagram's pixels: no border, no margin.
    picture->setFrameShape(QFrame::NoFrame);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    d.Shown.BackColor = Black;
    d.Shown.ForeColor = White;
    d.Shown.Font = picture->font();
    const QSize size = picture->contentsRect().size();
    d.Geometry = MakeDiagramGeometry(size.width(), size.height());
    d.Shown.Create(size.width(), size.height());
    for (DiagramPicture& buffer : d.Buffers) {
        buffer.BackColor = d.Shown.BackColor;
        buffer.ForeColor = d.Shown.ForeColor;
        buffer.Font = d.Shown.Font;
        buffer.Create(size.width(), size.height());
    }
    d.Primaries = DisplayPrimaries{};
    d.SetUp = true;
}

void UCIE::RepaintDiagram() {
    panel_->picCIE->setPixmap(QPixmap::fromImage(state_->Diagram.Shown.Image));
}

void UCIE::DrawChromaticity(int observer) {
    Panel& p = *panel_;
    State& s = *state_;
    observer = Safe(observer);
    for (std::size_t i = 3; i < 6; ++i) {
        p.Boxes[i]->clear();
    }
    // The observer's results, where shown, become the point to mark.
    for (int i = 0; i < 3; ++i) {
        const QString shown = p.Values[static_cast<std::size_t>(7 * observer + i)]->text();
        if (!shown.isEmpty()) {
            p.Boxes[static_cast<std::size_t>(i)]->setText(shown);
        }
    }
    ChromaticityDiagram& d = s.Diagram;
    if (!d.SetUp) {
        return;
    }
    DiagramPicture& buffer = d.Buffers[observer];
    if (s.DiagramDrawn[static_cast<std::size_t>(observer)]) {
        d.Shown.Image = buffer.Image;
        if (!s.ShowPoint || !PlotEnteredPoint()) {
            RepaintDiagram();
        }
        return;
    }

    setCursor(Qt::WaitCursor);
    const DiagramGeometry& g = d.Geometry;
    buffer.BackColor = Black;
    buffer.Cls();
    buffer.Dotted = false;

    const CieTables& tables = s.Cie.Tables;
    Chroma first;
    for (int i = 0; i <= LocusLastIndex(observer); ++i) {
        const Chroma at = LocusPoint(tables, observer, i);
        if (i == 0) {
            MoveToChroma(g, at.x, at.y, buffer);
            first = at;
        }
        LineToChroma(g, at.x, at.y, LocusRed, buffer);
    }
    // The line of purples.
    LineToChroma(g, first.x, first.y, LocusRed, buffer);

    // Each row is coloured from its first to its last locus pixel, which
    // paints over the outline as well.
    for (int row = g.plotBottom; row >= g.plotTop; --row) {
        int left = 0;
        int right = 0;
        for (int col = g.plotLeft; col <= g.plotRight; ++col) {
            if (buffer.Point(col, row) == LocusRed) {
                left = right = col;
                break;
            }
        }
        for (int col = g.plotRight; col >= g.plotLeft; --col) {
            if (buffer.Point(col, row) == LocusRed) {
                right = col;
                break;
            }
        }
        if (left != 0 || right != 0) {
            for (int col = left; col <= right; ++col) {
                const Chroma at = PixelToChroma(g, col, row);
                const RGBColor c = ChromaToRGB(d.Primaries, at.x, at.y, s.Gamma);
                buffer.PSet(col, row, qRgb(c.r, c.g, c.b));
            }
        }
    }

    if (s.ShowGrid) {
        DrawGrid(buffer, QString::fromLatin1(Titles[observer]));
    }
    if (s.ShowWavelengths) {
        DrawWavelengthLabels(buffer, observer);
    }
    d.Shown.Image = buffer.Image;
    s.DiagramDrawn[static_cast<std::size_t>(observer)] = true;
    if (!s.ShowPoint || !PlotEnteredPoint()) {
        RepaintDiagram();
    }
    unsetCursor();
}

void UCIE::DrawGrid(DiagramPicture& picture, const QString& title) {
    const DiagramGeometry& g = state_->Diagram.Geometry;
    const float xEnd = PixelToChroma(g, g.plotRight, g.plotBottom).x;
    const float yEnd = PixelToChroma(g, g.plotLeft, g.plotTop).y;
    picture.Dotted = true;
    picture.ForeColor = GridGrey;
    const auto print = [&](float x, float y, int shiftX, int shiftY, const QString& text) {
        MoveToChroma(g, x, y, picture);
        picture.CurrentX += shiftX;
        picture.CurrentY += shiftY;
        picture.Print(text);
    };
    for (int k = 0; k <= 8; ++k) {
        const float v = static_cast<float>(k) / 10.0f;
        MoveToChroma(g, 0, v, picture);
        LineToChroma(g, xEnd, v, GridGrey, picture);
        print(0, v, -20, -6, ScreenFormat(v, "0.0"));
    }
    print(0, 0.9f, -20, -6, QStringLiteral("y"));
    picture.Dotted = true;
    for (int k = 0; k <= 8; ++k) {
        const float v = static_cast<float>(k) / 10.0f;
        MoveToChroma(g, v, 0, picture);
        LineToChroma(g, v, yEnd, GridGrey, picture);
        print(v, 0, -6, 5, ScreenFormat(v, "0.0"));
    }
    print(0.9f, 0, -6, 5, QStringLiteral("x"));
    print(0.4f, 0.9f, -10, -5, title);
}

void UCIE::DrawWavelengthLabels(DiagramPicture& picture, int observer) {
    const DiagramGeometry& g = state_->Diagram.Geometry;
    picture.Dotted = false;
    picture.ForeColor = White;
    for (int wavelength = 420; wavelength <= 680; wavelength += 10) {
        const Chroma at = LocusPoint(state_->Cie.Tables, observer, wavelength - CieFirstWavelength);
        MoveToChroma(g, at.x, at.y, picture);
        const auto mark = MarkFor(wavelength);
        if (!mark) {
            continue;
        }
        LineToChroma(g, at.x + mark->dx, at.y + mark->dy, White, picture);
        MoveToChroma(g, at.x, at.y, picture);
        picture.CurrentX += mark->shiftX;
        picture.CurrentY += mark->shiftY;
        // A number prints with a blank where a minus sign would stand.
        picture.Print(QStringLiteral(" %1").arg(wavelength));
    }
}

bool UCIE::PlotEnteredPoint() {
    const Panel& p = *panel_;
    for (int i = 0; i < 3; ++i) {
        if (p.Boxes[static_cast<std::size_t>(i)]->text().isEmpty()) {
            return false;
        }
    }
    float xyz[3];
    for (int i = 0; i < 3; ++i) {
        const auto value = ScreenNumber(p.Boxes[static_cast<std::size_t>(i)]->text());
        if (!value) {
            // A stray ":" gets past the key filter: no colour to mark.
            for (std::size_t box = 3; box < 6; ++box) {
                p.Boxes[box]->clear();
            }
            return false;
        }
        xyz[i] = static_cast<float>(*value);
    }
    return PlotXYZPoint(xyz[0], xyz[1], xyz[2]);
}

bool UCIE::PlotXYZPoint(float X, float Y, float Z) {
    Panel& p = *panel_;
    ChromaticityDiagram& d = state_->Diagram;
    if (!d.SetUp) {
        return false;
    }
    // A fresh copy of the diagram takes away an earlier marker.
    d.Shown.Image = d.Buffers[SelectedObserver()].Image;
    const float sum = X + Y + Z;
    const float x = X / sum;
    const float y = Y / sum;
    if (sum == 0 || !std::isfinite(x) || !std::isfinite(y)) {
        // No chromaticity (three zeros, say): nothing to mark, no colour.
        for (std::size_t box = 3; box < 6; ++box) {
            p.Boxes[box]->clear();
        }
        RepaintDiagram();
        return true;
    }
    const PixelPoint at = ChromaToPixel(d.Geometry, x, y);
    // Outside the picture the pixel reads as no colour, so the marker is black.
    const QRgb marker = d.Shown.Point(at.px, at.py) == Black ? White : Black;
    d.Shown.Circle(at.px, at.py, 2, marker, true);
    d.Shown.Circle(at.px, at.py, 4, marker, false);
    const RGBColor c = ChromaToRGB(d.Primaries, x, y, state_->Gamma);
    p.Boxes[3]->setText(QString::number(c.r));
    p.Boxes[4]->setText(QString::number(c.g));
    p.Boxes[5]->setText(QString::number(c.b));
    RepaintDiagram();
    return true;
}
