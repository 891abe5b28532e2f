// SPDX-License-Identifier: MIT
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
// "H/H"; "H/V (for information)" for a cut that does not decide.
QString cutLabel(const CutSuppression& cut);
// "end of 5-10" when a worst margin is the limit at its bin's open upper edge, else empty: 10
// degrees there belongs to the 5-10 bin, not to the next.
QString binEndText(const CutSuppression& cut);
QString binEndText(const SuppressionTest& test);
// "10 deg, end of 5-10" or "5 deg": where a worst margin lies; empty when there is none.
QString worstPlaceText(const CutSuppression& cut);
QString worstPlaceText(const SuppressionTest& test);
// The cuts listed for information only, with their results: "H/V fail, -5.00 dB at 120 deg;
// V/H pass, 2.00 dB at 5 deg"; empty when there are none.
QString informationCutsText(const SuppressionTest& test);
// The test or tests that decided the category: "beamwidth and suppression", "suppression", ...
QString decidedByText(const CategoryResult& result);
// "pass via B2", "fail", "not enough data".
QString groupText(const ComplianceReport& report, const GroupResult& group);
