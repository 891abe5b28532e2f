#include "DataSheet.h"

void DrawSheetFrame(const PageSource&) {}
void DrawSheetHeader(const PageSource&) {}
void DrawSheetTables(const PageSource&) {}
