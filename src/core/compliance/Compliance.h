// SPDX-License-Identifier: MIT
#pragma once
// The compliance check of one antenna against a mask table: for each category of the band that
// holds the antenna's mid-band frequency, the gain or beamwidth requirement and the suppression
// requirement on every cut of the envelope.
//
// The envelope is the straight lines between a cut's points. At every angle theta from the main
// beam (|theta| on both sides for two-sided antennas) in a bin with a suppression value s, the
// envelope must lie at or below -s. The margin at an angle is -s minus the envelope level there
// (positive: below the mask). Bins are half-open, [5, 10), ..., and the last one closed, so an
// angle on a boundary belongs to the bin above it; but a vertical step on a boundary (points in
// a row at one angle) puts each of its two levels in the bin on its own side, as the mask line
// itself steps there. The worst margin is found exactly, from the envelope at the bin edges and
// at its own points.
//
// The standards apply to co-polarised radiation: the H/H and V/V cuts decide; H/V and V/H are
// checked and listed for information only.
#include "adf/Pattern.h"
#include "catalogue/AntennaHeader.h"
#include "compliance/MaskTable.h"

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <limits>
#include <vector>

enum class Verdict {
    Pass,
    Fail,
    NotEnoughData,
    NotRequired, // the row gives no value for this test
};

// "pass", "fail", "not enough data", "not required".
QString verdictText(Verdict v);

// The gain or beamwidth requirement of one category.
struct GainBeamTest {
    Verdict verdict = Verdict::NotRequired;
    Verdict gainVerdict = Verdict::NotRequired;
    Verdict beamVerdict = Verdict::NotRequired;
    enum class Decider { None, Gain, Beamwidth };
    Decider decidedBy = Decider::None; // the test that passed, or failed where only one counts
    std::optional<double> gain;        // lowest of LWGAIN, MDGAIN, HGGAIN
    std::optional<double> minGain;
    std::optional<double> beamwidth; // larger of AZWIDT, ELWIDT
    std::optional<double> maxBeamwidth;
    QStringList missing; // what was missing or unreadable: "AZWIDT", "LWGAIN 'x'", ...
};

inline constexpr double NoMargin = std::numeric_limits<double>::quiet_NaN();

// The suppression requirement on one cut.
struct CutSuppression {
    int cut = 0;                     // cut index 0..3
    Verdict verdict = Verdict::Pass; // NotEnoughData: the envelope does not reach a needed bin
    double worstMargin = NoMargin;   // dB; NaN when no envelope lies in any bin
    double worstAngle = NoMargin;    // degrees, signed as in the file
    int worstBin = -1;               // bin of the table the worst margin lies in
    double worstBinLow = NoMargin;   // that bin's edges, degrees
    double worstBinHigh = NoMargin;
    bool worstAtBinEnd = false; // the worst is the limit at the bin's open upper edge
    QString uncovered;          // "5 to 180 deg on the left side", when not covered
    bool decides = true;        // false for a cross-polar cut: listed for information only
};

// H/H and V/V: the cuts whose suppression decides.
inline bool isCoPolar(int cut) {
    return cut == CutHH || cut == CutVV;
}

struct SuppressionTest {
    Verdict verdict = Verdict::NotRequired; // of the co-polar cuts; not enough data without one
    std::vector<CutSuppression> cuts;       // the cuts that have points, by cut index
    // The worst of the co-polar cuts.
    double worstMargin = NoMargin;
    double worstAngle = NoMargin;
    int worstCut = -1;
    double worstBinLow = NoMargin;
    double worstBinHigh = NoMargin;
    bool worstAtBinEnd = false;
};

struct CategoryResult {
    const MaskRow* row = nullptr;
    QString category;
    Verdict verdict = Verdict::NotEnoughData;
    GainBeamTest gainBeam;
    SuppressionTest suppression;
};

// A category as a licence filing names it: "A", or "B" which passes when B1 or B2 passes in full.
struct GroupResult {
    QString category;
    Verdict verdict = Verdict::NotEnoughData;
    std::vector<int> parts; // indexes into ComplianceReport::categories
    int decidedBy = -1;     // the part that passed; -1 when none did
    bool split = false;     // made of parts (B1, B2) rather than one row
};

struct ComplianceReport {
    enum class Status {
        Checked,
        NoStandard,    // no row of the table holds the mid-band frequency
        NotEnoughData, // the band edges are missing or not numbers
    };
    Status status = Status::Checked;
    QString message;                // for NoStandard and NotEnoughData
    double midFrequency = NoMargin; // MHz
    double bandLowMHz = NoMargin;   // the table's band
    double bandHighMHz = NoMargin;
    bool twoSided = false;
    std::vector<CategoryResult> categories; // the band's rows, in table order
    std::vector<GroupResult> groups;        // "A", "B", in table order
    QString note;                           // what the verdict does not say (DemsNote), or empty

    const GroupResult* group(const QString& category) const;
    const CategoryResult* category(const QString& name) const;
    // The verdict of a category or group ("A", "B", "B1"); NotEnoughData when the band has no
    // such category or there is no standard at all.
    Verdict verdictFor(const QString& name) const;
};

// The gain or beamwidth requirement of one row for a header.
GainBeamTest CheckGainBeam(const MaskRow& row, const AntennaHeader& header);

// The suppression requirement of one row on one cut. `twoSided` asks for both sides of the main
// beam to be covered; the other side is checked wherever the cut has points there.
CutSuppression CheckCutSuppression(const MaskRow& row, const std::vector<MaskBin>& bins,
                                   const PatternPoints& points, bool twoSided);

// The whole check of one antenna.
ComplianceReport CheckCompliance(const MaskTable& table, const AntennaHeader& header,
                                 const LoadedPattern& pattern);

inline constexpr char FccTableTitle[] = "FCC 101.115";
// The note of a check in the 24.25-25.25 GHz band of the FCC table.
inline constexpr char DemsNote[] =
    "DEMS stations of this band may be exempt: paragraph (b) of 101.115 leaves DEMS nodal "
    "stations out of these standards, and the table's note covers the band's DEMS user stations";

// Margins this close to zero count as zero, so an envelope point exactly on the mask passes
// whatever the rounding of the interpolation.
inline constexpr double MarginTolerance = 1e-9;
