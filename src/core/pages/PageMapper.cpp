// SPDX-License-Identifier: MIT
#include "pages/PageMapper.h"

#include <QtGui/QFont>
#include <QtGui/QFontMetrics>
#include <QtGui/QImage>
#include <QtGui/QPaintDevice>
#include <QtGui/QPainter>
#include <QtGui/QPen>
#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Nearest whole number, ties to even (the default rounding mode).
std::int32_t roundEven(long double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

// A device coordinate: far-off positions stop at +-2^30 pixels, well off any surface and clear of
// integer overflow (the chart pages clamp their own coordinates to +-1e8 logical units, which a
// large printer page may still scale past the range of an int).
std::int32_t deviceCoordinate(long double value) {
    constexpr long double Limit = 1 << 30;
    return roundEven(std::clamp(value, -Limit, Limit));
}

// Half of a non-negative extent, rounded down.
std::int32_t half(std::int32_t extent) {
    return extent / 2;
}

} // namespace

// ---- Mapping ------------------------------------------------------------------------------------

void PageMapper::SetLogicalSize(std::int32_t width, std::int32_t height) {
    LogicalWidth = width;
    LogicalHeight = height;
}

void PageMapper::MapToDevice(QPainter* surface, std::int32_t deviceWidth,
                             std::int32_t deviceHeight) {
    Q_ASSERT(LogicalWidth > 0 && LogicalHeight > 0);
    DeviceWidth = deviceWidth;
    DeviceHeight = deviceHeight;
    // The mapping is done here, so the painter must not add one of its own.
    if (surface)
        surface->resetTransform();
}

void PageMapper::BeginPage(QPainter* surface, std::int32_t logicalWidth,
                           std::int32_t logicalHeight) {
    SetLogicalSize(logicalWidth, logicalHeight);
    MapToDevice(surface, surface->device()->width(), surface->device()->height());
    SetCanvas(surface);
}

std::int32_t PageMapper::LogicalToDeviceX(std::int32_t x) const {
    if (LogicalWidth == 0)
        return 0;
    return deviceCoordinate(static_cast<long double>(x - OriginX) * DeviceWidth / LogicalWidth);
}

std::int32_t PageMapper::LogicalToDeviceY(std::int32_t y) const {
    if (LogicalHeight == 0)
        return 0;
    return deviceCoordinate(static_cast<long double>(y - OriginY) * DeviceHeight / LogicalHeight);
}

std::int32_t PageMapper::DeviceToLogicalX(std::int32_t n) const {
    Q_ASSERT(DeviceWidth != 0);
    if (DeviceWidth == 0)
        return 0;
    return roundEven(n / (static_cast<long double>(DeviceWidth) / LogicalWidth));
}

std::int32_t PageMapper::DeviceToLogicalY(std::int32_t n) const {
    Q_ASSERT(DeviceHeight != 0);
    if (DeviceHeight == 0)
        return 0;
    return roundEven(n / (static_cast<long double>(DeviceHeight) / LogicalHeight));
}

PageMapper::DeviceRect PageMapper::mapRect(std::int32_t x1, std::int32_t y1, std::int32_t x2,
                                           std::int32_t y2) const {
    DeviceRect r{LogicalToDeviceX(x1), LogicalToDeviceY(y1), LogicalToDeviceX(x2),
                 LogicalToDeviceY(y2)};
    if (r.Left > r.Right)
        std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom)
        std::swap(r.Top, r.Bottom);
    return r;
}

// ---- Drawing state ------------------------------------------------------------------------------

std::int32_t PageMapper::penPixels(std::int32_t logicalWidth) const {
    if (logicalWidth <= 0 || LogicalWidth <= 0)
        return std::max<std::int32_t>(ThinnestPenPixels, 0);
    return std::max<std::int32_t>(
        1, roundEven(static_cast<long double>(logicalWidth) * DeviceWidth / LogicalWidth));
}

void PageMapper::SetPen(const QColor& color, std::int32_t logicalWidth, Qt::PenStyle style) {
    SetPenPixels(color, penPixels(logicalWidth), style);
}

void PageMapper::SetPenWidth(std::int32_t logicalWidth) {
    QPen pen = Canvas->pen();
    pen.setWidth(penPixels(logicalWidth));
    Canvas->setPen(pen);
}

void PageMapper::SetPenColor(const QColor& color) {
    QPen pen = Canvas->pen();
    pen.setColor(color);
    Canvas->setPen(pen);
}

void PageMapper::SetPenPixels(const QColor& color, std::int32_t pixels, Qt::PenStyle style) {
    QPen pen(color, std::max<std::int32_t>(pixels, 0), style, Qt::RoundCap, Qt::RoundJoin);
    Canvas->setPen(pen);
}

void PageMapper::SetFont(const QString& family, std::int32_t logicalHeight, bool bold,
                         bool underline) {
    const long double cell = std::max<long double>(
        1, roundEven(static_cast<long double>(logicalHeight) * DeviceHeight / LogicalHeight));
    QFont font(family);
    font.setBold(bold);
    font.setUnderline(underline);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    // Unhinted metrics grow in proportion to the size: the cell of a 100-pixel font gives the
    // nearest whole pixel size, and the even scale makes up the rest.
    const QPaintDevice* device = Canvas->device();
    font.setPixelSize(100);
    const QFontMetricsF reference(font, device);
    const long double perPixel = (reference.ascent() + reference.descent()) / 100.0L;
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(cell / perPixel))));
    const QFontMetricsF metrics(font, device);
    FontScale = static_cast<double>(cell / (metrics.ascent() + metrics.descent()));
    FontAscent = metrics.ascent();
    Canvas->setFont(font);
}

// ---- Shapes -------------------------------------------------------------------------------------

void PageMapper::Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    Canvas->drawLine(LogicalToDeviceX(x1), LogicalToDeviceY(y1), LogicalToDeviceX(x2),
                     LogicalToDeviceY(y2));
}

void PageMapper::Polyline(const QPolygon& points) {
    QPolygon device;
    device.reserve(points.size());
    for (const QPoint& p : points)
        device.append(QPoint(LogicalToDeviceX(p.x()), LogicalToDeviceY(p.y())));
    Canvas->drawPolyline(device);
}

void PageMapper::Rectangle(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                           std::optional<QColor> fill) {
    const DeviceRect r = mapRect(x1, y1, x2, y2);
    if (r.Right == r.Left || r.Bottom == r.Top)
        return;
    if (fill)
        Canvas->fillRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, *fill);
    // A stroked QRect covers one pixel more than its size with a one-pixel pen: the frame's
    // last column and row are Right - 1 and Bottom - 1.
    Canvas->save();
    Canvas->setBrush(Qt::NoBrush);
    Canvas->drawRect(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
    Canvas->restore();
}

void PageMapper::FillRect(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          const QColor& color) {
    const DeviceRect r = mapRect(x1, y1, x2, y2);
    Canvas->fillRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top, color);
}

void PageMapper::Ellipse(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                         std::optional<QColor> fill) {
    const DeviceRect r = mapRect(x1, y1, x2, y2);
    if (r.Right == r.Left || r.Bottom == r.Top)
        return;
    Canvas->save();
    Canvas->setBrush(fill ? QBrush(*fill) : QBrush(Qt::NoBrush));
    Canvas->drawEllipse(r.Left, r.Top, r.Right - r.Left - 1, r.Bottom - r.Top - 1);
    Canvas->restore();
}

// ---- Text ---------------------------------------------------------------------------------------

double PageMapper::DeviceTextWidth(const QString& text) const {
    return QFontMetricsF(Canvas->font(), Canvas->device()).horizontalAdvance(text) * FontScale;
}

double PageMapper::DeviceTextHeight() const {
    const QFontMetricsF metrics(Canvas->font(), Canvas->device());
    return (metrics.ascent() + metrics.descent()) * FontScale;
}

std::int32_t PageMapper::TextWidth(const QString& text) const {
    return roundEven(DeviceTextWidth(text) /
                     (static_cast<long double>(DeviceWidth) / LogicalWidth));
}

std::int32_t PageMapper::TextHeight(const QString&) const {
    return roundEven(DeviceTextHeight() / (static_cast<long double>(DeviceHeight) / LogicalHeight));
}

void PageMapper::TextOut(std::int32_t x, std::int32_t y, const QString& text) {
    RotatedText(x, y, 0, text);
}

void PageMapper::ContinuedText(std::int32_t x, std::int32_t y, const QString& prefix,
                               const QString& text) {
    drawTextAt(QPointF(LogicalToDeviceX(x) + DeviceTextWidth(prefix), LogicalToDeviceY(y)), 0,
               text);
}

void PageMapper::AlignedText(std::int32_t x, std::int32_t y, const QString& text, int h, int v) {
    if (v == 1)
        y -= half(TextHeight(text));
    else if (v == 2)
        y -= TextHeight(text);
    if (h == 1)
        x -= half(TextWidth(text));
    else if (h == 2)
        x -= TextWidth(text);
    TextOut(x, y, text);
}

void PageMapper::RotatedText(std::int32_t x, std::int32_t y, double angleDegrees,
                             const QString& text) {
    drawTextAt(QPointF(LogicalToDeviceX(x), LogicalToDeviceY(y)), angleDegrees, text);
}

void PageMapper::drawTextAt(QPointF device, double angleDegrees, const QString& text) {
    Canvas->save();
    Canvas->setPen(TextColor);
    Canvas->translate(device);
    // Qt turns clockwise on a surface whose y axis points down.
    if (angleDegrees != 0)
        Canvas->rotate(-angleDegrees);
    Canvas->scale(FontScale, FontScale);
    Canvas->drawText(QPointF(0, FontAscent), text);
    Canvas->restore();
}

void PageMapper::AlignedRotatedText(std::int32_t x, std::int32_t y, const QString& text, int h,
                                    int v) {
    // Turned upright, the text's height lies across X and its length along Y, so each is brought
    // back to logical units along the axis it now covers.
    const std::int32_t across =
        roundEven(DeviceTextHeight() / (static_cast<long double>(DeviceWidth) / LogicalWidth));
    const std::int32_t along =
        roundEven(DeviceTextWidth(text) / (static_cast<long double>(DeviceHeight) / LogicalHeight));
    if (h == 1)
        x -= half(across);
    else if (h == 2)
        x -= across;
    if (v == 1)
        y += half(along);
    else if (v == 2)
        y += along;
    RotatedText(x, y, 90, text);
}

// ---- Bitmaps ------------------------------------------------------------------------------------

void PageMapper::StretchBitmap(QPainter* surface, std::int32_t x, std::int32_t y,
                               std::int32_t width, std::int32_t height,
                               const QImage& bitmap) const {
    const DeviceRect r = mapRect(x, y, x + width, y + height);
    if (bitmap.isNull() || r.Right == r.Left || r.Bottom == r.Top)
        return;
    surface->save();
    surface->setRenderHint(QPainter::SmoothPixmapTransform, false);
    surface->drawImage(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), bitmap,
                       bitmap.rect());
    surface->restore();
}
