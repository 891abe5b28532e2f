// SPDX-License-Identifier: MIT
#pragma once
// The loaded pattern of one antenna: up to four envelope cuts, their polarization texts and the
// feed kind that decides between the one-sided and the two-sided chart.
#include <QtCore/QByteArray>
#include <QtCore/QString>
#include <array>
#include <cstdint>
#include <vector>

// One envelope point: azimuth angle in degrees, level in dB relative to the beam peak.
struct PatternPoint {
    PatternPoint(double angle, double level) : Angle(angle), Level(level) {}
    double Angle;
    double Level;
    friend bool operator==(const PatternPoint&, const PatternPoint&) = default;
};

// An owning, ordered list of points, in file order.
using PatternPoints = std::vector<PatternPoint>;

enum class FeedKind : std::uint8_t { None = 0, Right = 1, Left = 2, UhpRight = 3, UhpLeft = 4 };

// "None", "Right", "Left", "UhpRight" or "UhpLeft".
QString feedKindName(FeedKind kind);
// True for the two-sided chart (-180 to 180 degrees).
inline bool isTwoSided(FeedKind kind) {
    return kind != FeedKind::None;
}

// Cut index 0..3 by polarization pair.
enum CutIndex : int { CutHH = 0, CutVV = 1, CutHV = 2, CutVH = 3, CutCount = 4 };

struct LoadedPattern {
    std::array<PatternPoints, CutCount> CutPoints;
    std::array<QByteArray, CutCount> PolarizationTexts;
    FeedKind feedKind = FeedKind::None;

    // Empties the cuts and resets the texts; the feed kind is kept until the next read sets it.
    void clear();
};
