#pragma once
// Texts of a compliance result, shared by the compliance window and the batch tool.
#include "compliance/Compliance.h"

#include <QtCore/QString>

// "H/H", "V/V", "H/V", "V/H".
QString cutName(int cut);
// A margin in dB with two decimals ("-3.20"), or an empty text when there is none.
QString marginText(double margin);
// An angle in degrees as short as it reads ("12.5", "-140").
QString angleText(double angle);

// "pass (gain 43.1 >= 38 dBi)", "fail (gain 36.9 < 38 dBi, beamwidth 2.5 > 2.2 deg)",
// "not enough data (no AZWIDT)", "not required".
QString gainBeamText(const GainBeamTest& test);
// "pass", "fail", "not enough data (no envelope at 100 to 180 deg)".
QString cutSuppressionText(const CutSuppression& cut);
// The test or tests that decided the category: "beamwidth and suppression", "suppression", ...
QString decidedByText(const CategoryResult& result);
// "pass via B2", "fail", "not enough data".
QString groupText(const ComplianceReport& report, const GroupResult& group);
