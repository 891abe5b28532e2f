// SPDX-License-Identifier: MIT
#pragma once
// Stand-in page routines for the printing tests: a frame round the printable area and a few
// texts, recording the surface they were drawn on.
#include "print/CupsPrint.h"

#include <QtGui/QPainter>
#include <cmath>
#include <gtest/gtest.h>

namespace printtest {

// The stand-in for a page routine: a frame round the printable area and a few texts.
struct StandInPage {
    explicit StandInPage(QString text) : title(std::move(text)) {}
    QString title;
    QSize device;
    int dpi = 0;
    int penFactor = 0;
    int calls = 0;

    void draw(QPainter& painter, int factor) {
        ++calls;
        penFactor = factor;
        device = QSize(painter.device()->width(), painter.device()->height());
        dpi = painter.device()->logicalDpiX();
        painter.setPen(QPen(Qt::black, 6));
        painter.drawRect(QRect(QPoint(0, 0), device).adjusted(3, 3, -3, -3));
        QFont font(QStringLiteral("Liberation Sans"));
        font.setPixelSize(120);
        painter.setFont(font);
        painter.drawText(300, 600, title);
        painter.drawText(300, 900, QStringLiteral("Level 12.50 dB at 7.5 deg"));
    }
    PaintRunPage paint() {
        return [this](QPainter& p, int f) { draw(p, f); };
    }
};

struct StandInPages {
    StandInPage portrait{QStringLiteral("PORTRAIT CHART PAGE")};
    StandInPage landscape{QStringLiteral("LANDSCAPE CHART PAGE")};
    StandInPage data{QStringLiteral("DATA SHEET PAGE")};
    PrintRunPages pages() { return {portrait.paint(), landscape.paint(), data.paint()}; }
};

PrinterSetup printer(const QString& name) {
    PrinterSetup setup;
    setup.Name = name;
    return setup;
}

// The printable area in device pixels at 600 dpi of a page size less margins, in points. Qt
// rounds the paper and the margins separately, so a pixel either way is the same area.
int pixels(double points) {
    return int(std::lround(points * 600.0 / 72.0));
}
::testing::AssertionResult isArea(const QSize& device, double widthPt, double heightPt) {
    const QSize expected(pixels(widthPt), pixels(heightPt));
    if (std::abs(device.width() - expected.width()) <= 2 &&
        std::abs(device.height() - expected.height()) <= 2)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "device " << device.width() << " x " << device.height() << ", expected about "
           << expected.width() << " x " << expected.height();
}

} // namespace printtest
