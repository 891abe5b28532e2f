#pragma once
// The data sheet: one portrait page of 800 x 1050 logical units that lists every point of the four
// envelope cuts under a title band, above a footer with the maker's block. The three routines are
// always called in this order on the same surface and share its pen and font state.
#include "print/PageSource.h"

void DrawSheetFrame(const PageSource& page);
void DrawSheetHeader(const PageSource& page);
void DrawSheetTables(const PageSource& page);
