// SPDX-License-Identifier: MIT
#include "pages/PageRoutines.h"

#include "pages/ChartPage.h"
#include "pages/DataSheet.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>

namespace {

using Draw = void (*)(const PageSource&);

void drawSheet(const PageSource& page) {
    DrawSheetFrame(page);
    DrawSheetHeader(page);
    DrawSheetTables(page);
}

void onPrinter(PageSource& page, QPainter& printerPage, int logicalWidth, int logicalHeight,
               Draw draw) {
    page.PenFactor = PrinterPenFactor(page.PenFactor);
    page.PageMap.ThinnestPenPixels = 1;
    page.PageMap.BeginPage(&printerPage, logicalWidth, logicalHeight);
    draw(page);
}

void onImage(PageSource& page, QImage& image, QSize size, int logicalWidth, int logicalHeight,
             Draw draw) {
    page.PenFactor = ImagePenFactor;
    page.PageMap.ThinnestPenPixels = 0;
    image = QImage(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    page.PageMap.BeginPage(&painter, logicalWidth, logicalHeight);
    draw(page);
    painter.end();
    // The mapping keeps its sizes, but the painter is gone with this routine.
    page.PageMap.SetCanvas(nullptr);
}

} // namespace

void DrawPortraitGraphPage(PageSource page, QPainter& printerPage) {
    onPrinter(page, printerPage, 600, 650, DrawHalfChart);
}

void DrawPortraitGraphPage(PageSource page, QImage& scratchImage) {
    onImage(page, scratchImage, PortraitGraphImageSize, 600, 600, DrawHalfChart);
}

void DrawLandscapeGraphPage(PageSource page, QPainter& printerPage) {
    onPrinter(page, printerPage, 1100, 650, DrawFullChart);
}

void DrawLandscapeGraphPage(PageSource page, QImage& scratchImage) {
    onImage(page, scratchImage, LandscapeGraphImageSize, 1100, 650, DrawFullChart);
}

void DrawDataPage(PageSource page, QPainter& printerPage) {
    onPrinter(page, printerPage, 800, 1050, drawSheet);
}

void DrawDataPage(PageSource page, QImage& scratchImage) {
    onImage(page, scratchImage, DataImageSize, 800, 1050, drawSheet);
}

void DrawGraphPage(PageSource page, QImage& scratchImage) {
    if (isTwoSided(page.Pattern.feedKind))
        DrawLandscapeGraphPage(page, scratchImage);
    else
        DrawPortraitGraphPage(page, scratchImage);
}

void DrawGraphPage(PageSource page, QPainter& printerPage) {
    if (isTwoSided(page.Pattern.feedKind))
        DrawLandscapeGraphPage(page, printerPage);
    else
        DrawPortraitGraphPage(page, printerPage);
}

int PrinterPenFactor(int chosen) {
    return chosen >= 1 && chosen <= 3 ? chosen : 3;
}
