// SPDX-License-Identifier: MIT
#pragma once
// The logical page. Every printed or exported page is drawn in logical units on a page of
// LogicalWidth x LogicalHeight, whatever the surface: a bitmap for exports, the printer for
// paper. PageMapper maps those units to device pixels itself instead of handing Qt a
// window/viewport transform, because a transform would stretch glyphs and pens along with the
// positions when the page and the surface have different shapes:
//
//  - positions are scaled per axis: logical (x, y) lands on device
//    (x * DeviceWidth / LogicalWidth, y * DeviceHeight / LogicalHeight);
//  - a font's height is its character cell height (ascent plus descent), scaled by the vertical
//    factor, and its glyphs keep the font's own shape;
//  - text is measured on the surface and converted back to logical units for alignment;
//  - pen widths are whole device pixels.
//
// Every conversion to whole units rounds to nearest with ties to even (std::nearbyint).
//
// A page is set up with SetLogicalSize, MapToDevice on the target painter and SetCanvas with that
// painter (BeginPage does all three), then drawn through the helpers below. Pen and font are the
// Canvas painter's own, so SetPen and SetFont need the Canvas set.
#include <QtCore/QPointF>
#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QPolygon>
#include <cstdint>
#include <optional>

class QImage;
class QPainter;

class PageMapper {
public:
    QPainter* Canvas = nullptr; // the surface the helpers draw on; not owned
    std::int32_t LogicalWidth = 0;
    std::int32_t LogicalHeight = 0;
    std::int32_t OriginX = 0; // the logical point at the device's top-left corner; always 0
    std::int32_t OriginY = 0;
    std::int32_t DeviceWidth = 0; // set by MapToDevice
    std::int32_t DeviceHeight = 0;
    // Device pixels of a pen whose width comes out as 0 logical units, the thinnest line: 0 is
    // the painter's cosmetic one-pixel pen, right for images; the printer page routines set 1, an
    // explicit pen one dot wide at 600 dpi, since a printer draws a cosmetic pen as a hairline of
    // its own resolution, too faint to see on paper.
    std::int32_t ThinnestPenPixels = 0;

    // ---- Mapping --------------------------------------------------------------------------------

    void SetLogicalSize(std::int32_t width, std::int32_t height);
    // Stores the device size and prepares `surface` (may be null) for the mapping by clearing its
    // transforms, so the painter works in device pixels. SetLogicalSize must come first.
    void MapToDevice(QPainter* surface, std::int32_t deviceWidth, std::int32_t deviceHeight);
    void SetCanvas(QPainter* canvas) { Canvas = canvas; }
    // SetLogicalSize, MapToDevice with the size of the painter's device, SetCanvas. `surface`
    // must be active.
    void BeginPage(QPainter* surface, std::int32_t logicalWidth, std::int32_t logicalHeight);

    // Logical position to device pixel.
    std::int32_t LogicalToDeviceX(std::int32_t x) const;
    std::int32_t LogicalToDeviceY(std::int32_t y) const;
    // Device pixels to logical units: n / (DeviceWidth / LogicalWidth), in long double. Pen
    // widths and gaps meant as so many device pixels are given through these.
    std::int32_t DeviceToLogicalX(std::int32_t n) const;
    std::int32_t DeviceToLogicalY(std::int32_t n) const;

    // ---- Drawing state --------------------------------------------------------------------------

    // A pen of `logicalWidth` units across X: round(logicalWidth * DeviceWidth / LogicalWidth)
    // device pixels, at least 1. Width 0 is the thinnest pen, ThinnestPenPixels wide. Caps and
    // joins are round.
    void SetPen(const QColor& color, std::int32_t logicalWidth, Qt::PenStyle style = Qt::SolidLine);
    // A pen of exactly `pixels` device pixels (0 = cosmetic one pixel), for hairlines that must
    // not depend on the page scale.
    void SetPenPixels(const QColor& color, std::int32_t pixels, Qt::PenStyle style = Qt::SolidLine);
    // Change only the width (logical units, as SetPen) or only the colour of the current pen.
    void SetPenWidth(std::int32_t logicalWidth);
    void SetPenColor(const QColor& color);
    // A font whose character cell (ascent plus descent) is round(logicalHeight * DeviceHeight /
    // LogicalHeight) device pixels, at least 1, with unstretched glyphs. Page fonts are drawn
    // without hinting and without subpixel antialiasing, so a page looks the same on every desktop.
    //
    // Qt sizes fonts in whole pixels, which cannot meet every cell height, so the painter holds
    // the font at the nearest whole pixel size and PageMapper draws and measures it evenly scaled
    // by FontScale. Measure text through PageMapper, not through the painter's font metrics.
    void SetFont(const QString& family, std::int32_t logicalHeight, bool bold = false,
                 bool underline = false);
    // The colour text is drawn in; lines use the pen's colour.
    void SetTextColor(const QColor& color) { TextColor = color; }

    // ---- Drawing (logical units) ----------------------------------------------------------------

    // A line including both end points.
    void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
    void Polyline(const QPolygon& points);
    // The frame of the rectangle from (x1, y1) up to, not including, (x2, y2) on the device, so
    // Rectangle(0, 0, LogicalWidth, LogicalHeight) frames the whole surface. `fill`, when given,
    // fills the inside first.
    void Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                   std::optional<QColor> fill = std::nullopt);
    // Fills the same device pixels Rectangle frames and encloses, without a frame.
    void FillRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                  const QColor& color);
    // The ellipse inside the bounding rectangle, as Rectangle.
    void Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 std::optional<QColor> fill = std::nullopt);

    // Text extent in the current font, measured on the surface (the advance, trailing blanks
    // included, and the cell height), in logical units.
    std::int32_t TextWidth(const QString& text) const;
    std::int32_t TextHeight(const QString& text) const;
    // The same in device pixels, unrounded.
    double DeviceTextWidth(const QString& text) const;
    double DeviceTextHeight() const;
    // Draws the text with its top-left corner at (x, y).
    void TextOut(std::int32_t x, std::int32_t y, const QString& text);
    // Draws `text` where it would stand after `prefix` in a line that starts at (x, y): its cell's
    // top-left corner at the device position of x plus the device advance of `prefix`, with no
    // rounding in between, so pieces of a line in different colours abut as the whole line would.
    void ContinuedText(std::int32_t x, std::int32_t y, const QString& prefix, const QString& text);
    // Draws the text aligned on (x, y). h: 0 left edge, 1 centre, 2 right edge on x. v: 0 top,
    // 1 centre, 2 bottom on y. Other codes act as 0; halves are rounded down.
    void AlignedText(std::int32_t x, std::int32_t y, const QString& text, int h, int v);
    // Draws the text turned counter-clockwise by `angleDegrees` about its top-left corner, which
    // sits at (x, y). The painter's font and state are unchanged afterwards.
    void RotatedText(std::int32_t x, std::int32_t y, double angleDegrees, const QString& text);
    // Draws the text reading upwards (turned by 90 degrees) from (x, y), its glyph cells to the
    // right of x. h = 1 / 2 moves it left by half / all of its height, so h = 1 centres it across
    // x; v = 1 / 2 moves it down by half / all of its length, so v = 1 centres it along y. The
    // length is taken along Y and the height along X, where the turned text lies.
    void AlignedRotatedText(std::int32_t x, std::int32_t y, const QString& text, int h, int v);

    // Copies the whole bitmap into the logical rectangle (x, y, width, height) on `surface`,
    // pixel for pixel scaled without smoothing; indexed bitmaps use their own colour table.
    void StretchBitmap(QPainter* surface, std::int32_t x, std::int32_t y, std::int32_t width,
                       std::int32_t height, const QImage& bitmap) const;

private:
    // Device pixel rectangle [left, right) x [top, bottom) of a logical rectangle.
    struct DeviceRect {
        int Left, Top, Right, Bottom;
    };
    DeviceRect mapRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) const;
    // Device pixels of a pen `logicalWidth` units wide across X; ThinnestPenPixels for width 0.
    std::int32_t penPixels(std::int32_t logicalWidth) const;
    // Draws the text turned by `angleDegrees` about the device point where its cell's top-left
    // corner sits.
    void drawTextAt(QPointF device, double angleDegrees, const QString& text);

    QColor TextColor = Qt::black;
    // The painter's font is drawn scaled by FontScale; FontAscent is its unscaled ascent.
    double FontScale = 1;
    double FontAscent = 0;
};
