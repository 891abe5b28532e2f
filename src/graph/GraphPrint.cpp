// The graph window's printing: the print command and the print branch of the run.
#include "GraphUnit.h"

void TGraphForm::Print4Click() {}

void TGraphForm::PrintBranch() {}
