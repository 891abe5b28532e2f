// The graph window's export: the export commands and the export branch of the run.
#include "GraphUnit.h"

void TGraphForm::ExportGraphClick() {}

void TGraphForm::ExportDataClick() {}

void TGraphForm::ExportBranch() {}
