// SPDX-License-Identifier: MIT
#include "compare/ComparisonPage.h"

#include <QtGui/QPainter>

namespace compare {

grown::Span writtenSpan(bool twoSided) {
    return twoSided ? grown::Span{0, 960} : grown::Span{480, 960};
}
double chartX(const QRectF& rect, bool, const ChartView&, double) {
    return rect.left();
}
double chartAngleAt(const QRectF&, bool, const ChartView&, double) {
    return 0;
}
double chartY(const QRectF& rect, const ChartView&, double) {
    return rect.top();
}
double chartLevelAt(const QRectF&, const ChartView&, double) {
    return 0;
}
double traceWidth(const QRectF& rect) {
    return rect.height() / 200;
}
QPen tracePen(int, double width, bool) {
    return QPen(Qt::black, width);
}
void drawComparisonChart(QPainter&, const QRectF&, const Comparison&, const ChartView&, bool) {}
QImage comparisonChartImage(QSize size, const Comparison&, const ChartView&, bool) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}
double drawComparisonLegend(QPainter&, const QRectF&, const Comparison&, double, bool) {
    return 0;
}
QString comparisonPageTitle(const Comparison&) {
    return {};
}
QString levelCellText(const std::optional<double>&) {
    return {};
}
QString marginCellText(double) {
    return {};
}
void drawComparisonPage(QPainter&, const QRectF&, const Comparison&, const MaskTable*, bool) {}
void paintComparisonPage(QPainter&, const Comparison&, const MaskTable*, bool) {}
QImage comparisonPageImage(const Comparison&, const MaskTable*, bool, int dpi) {
    QImage image(11 * dpi, 17 * dpi / 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace compare
