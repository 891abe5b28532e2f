#include "MaskOverlay.h"

#include "graph/ScreenChart.h"

#include <QtGui/QPainter>
#include <QtGui/QPen>

QString MaskCaption(const QString& tableTitle, const QString& category) {
    return QStringLiteral("%1 Cat. %2").arg(tableTitle, category);
}

MaskOverlay MakeMaskOverlay(const MaskTable& table, const MaskRow& row, bool twoSided) {
    MaskOverlay overlay;
    overlay.caption = MaskCaption(table.title, row.category);
    for (const int side : {+1, -1}) {
        if (side < 0 && !twoSided)
            break;
        std::vector<QPointF> line;
        for (size_t b = 0; b <= table.bins.size(); ++b) {
            const bool valued = b < table.bins.size() && row.suppression[b].has_value();
            if (!valued) {
                if (!line.empty())
                    overlay.lines.push_back(std::move(line));
                line.clear();
                continue;
            }
            const double level = -*row.suppression[b];
            line.emplace_back(side * table.bins[b].low, level);
            line.emplace_back(side * table.bins[b].high, level);
        }
    }
    return overlay;
}

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
