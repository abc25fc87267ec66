// The pictures of the chromaticity tab: the visible diagram and one buffer
// per observer that keeps its finished drawing, so that switching observers,
// marking a point or showing new results costs one image copy.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <optional>

#include "cie/chromaticity.h"

// A picture box's drawing surface: its pixels and the drawing state it keeps
// between calls. Nothing is antialiased: the fill looks for pixels of exactly
// the locus colour, and a blended edge would leave holes in it.
class DiagramPicture {
public:
    QImage Image;
    int CurrentX = 0;
    int CurrentY = 0;
    QRgb BackColor = qRgb(0, 0, 0);
    QRgb ForeColor = qRgb(255, 255, 255);
    bool Dotted = false;
    QFont Font;

    // A picture of the given size, cleared to the background colour.
    void Create(int width, int height);
    // Everything back to the background colour; the position to 0, 0.
    void Cls();
    // The pixel's colour; nothing outside the picture.
    std::optional<QRgb> Point(int x, int y) const;
    void PSet(int x, int y, QRgb color);
    // A line from the current position to (x, y), both ends drawn, which then
    // becomes the current position. Parts outside the picture are clipped.
    void LineTo(int x, int y, QRgb color);
    // A circle of the radius around (x, y), filled with the same colour when
    // asked.
    void Circle(int x, int y, int radius, QRgb color, bool filled);
    // Text in the foreground colour, its top-left corner at the position.
    void Print(const QString& text);
};

struct ChromaticityDiagram {
    DiagramGeometry Geometry;
    DisplayPrimaries Primaries;
    bool SetUp = false;
    // What picCIE shows; the marker is drawn here, never on a buffer.
    DiagramPicture Shown;
    // picCIE1931 and picCIE1964.
    DiagramPicture Buffers[2];
};
