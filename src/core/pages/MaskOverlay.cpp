// SPDX-License-Identifier: MIT
#include "pages/MaskOverlay.h"

#include "pages/ScreenChart.h"

#include <QtGui/QPainter>
#include <QtGui/QPen>

namespace screen {

QColor maskColour() {
    return {204, 0, 204};
}

void DrawScreenMask(QImage& canvas, const MaskOverlay& overlay) {
    QPainter p(&canvas);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(maskColour());
    pen.setWidth(2);
    pen.setStyle(Qt::DashLine);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    p.setPen(pen);
    for (const auto& line : overlay.lines) {
        QPolygon poly;
        for (const QPointF& pt : line)
            poly << QPoint(angleToX(pt.x()), levelToY(pt.y()));
        p.drawPolyline(poly);
    }
}

} // namespace screen
