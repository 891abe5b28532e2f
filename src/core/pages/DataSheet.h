// SPDX-License-Identifier: MIT
#pragma once
// The data sheet: one portrait page of 800 x 1050 logical units that lists every point of the four
// envelope cuts under a title band, above a footer with the maker's block. The three routines are
// always called in this order on the same surface and share its pen and font state.
#include "pages/PageSource.h"

#include <QtCore/QLocale>
#include <QtCore/QString>

void DrawSheetFrame(const PageSource& page);
void DrawSheetHeader(const PageSource& page);
void DrawSheetTables(const PageSource& page);

// An angle or level as the sheet's tables show it: the value taken to 15 significant digits, then
// rounded half away from zero to two decimals; ASCII digits and "-", the decimal separator of
// `locale`, no grouping, never "-0.00".
QString SheetNumberText(double value, const QLocale& locale);

// The maker's block in the sheet's footer.
inline constexpr char MakerName[] = "QUELDA CORPORATION";
inline constexpr char MakerStreet[] = "2750 Harbour Point Drive";
inline constexpr char MakerTown[] = "Port Alder, WA 98999  U.S.A.";
inline constexpr char MakerWeb[] = "www.quelda.example";
inline constexpr char MakerPhone[] = "Customer Service: +1 (360) 555-0142";
