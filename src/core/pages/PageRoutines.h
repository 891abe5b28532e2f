// SPDX-License-Identifier: MIT
#pragma once
// The page routines: each prepares a target surface for one page kind, maps the page's logical
// size onto it through the PageSource's PageMapper and draws the page. Two targets:
//
//  - the printer: an active painter on the printer's current page (or on any paint device of a
//    printer page's size); the logical page fills the whole device. The pen factor is the one
//    chosen in the pen width dialog (1, 2 or 3, given as the PageSource's PenFactor), 3 while
//    none was chosen; the thinnest line is an explicit pen one device pixel wide;
//  - the scratch image of an export run: the image is replaced by a fresh white one of the page
//    kind's size and drawn with pen factor 1 and the cosmetic one-pixel pen as the thinnest.
//
// | page           | printer logical | image logical | image size  | draws         |
// | portrait graph | 600 x 650       | 600 x 600     | 1200 x 1500 | DrawHalfChart |
// | landscape graph| 1100 x 650      | 1100 x 650    | 2200 x 1700 | DrawFullChart |
// | data           | 800 x 1050      | 800 x 1050    | 1600 x 2000 | data sheet    |
#include "pages/PageSource.h"

#include <QtCore/QSize>

class QImage;
class QPainter;

// The printer's pen factor while none was chosen in the pen width dialog ("Wide").
inline constexpr int DefaultPrinterPenFactor = 3;
inline constexpr int ImagePenFactor = 1;

// The pen factor a printed chart page is drawn with: the pen width dialog's choice (1 Narrow,
// 2 Medium, 3 Wide), or 3 while the user has not chosen one.
int PrinterPenFactor(int chosen);

inline constexpr QSize PortraitGraphImageSize{1200, 1500};
inline constexpr QSize LandscapeGraphImageSize{2200, 1700};
inline constexpr QSize DataImageSize{1600, 2000};

// On the printer the page's PenFactor is the chosen one (anything but 1, 2 or 3 gives 3); on the
// image it is set to 1. The rest of `page` is taken as given.
void DrawPortraitGraphPage(PageSource page, QPainter& printerPage);
void DrawPortraitGraphPage(PageSource page, QImage& scratchImage);
void DrawLandscapeGraphPage(PageSource page, QPainter& printerPage);
void DrawLandscapeGraphPage(PageSource page, QImage& scratchImage);
void DrawDataPage(PageSource page, QPainter& printerPage);
void DrawDataPage(PageSource page, QImage& scratchImage);

// The graph page of the antenna: portrait for one-sided antennas, landscape for the others.
void DrawGraphPage(PageSource page, QImage& scratchImage);
void DrawGraphPage(PageSource page, QPainter& printerPage);
