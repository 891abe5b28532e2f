// SPDX-License-Identifier: MIT
// The envelope of a cut: levels at its points, between them, on vertical steps and off its range,
// and the text the read-out and the level command print.
#include "adf/Envelope.h"

#include <gtest/gtest.h>

namespace {

// A two-sided cut with a vertical step at 10 degrees, and one that turns back on itself.
const PatternPoints Cut = {{-20, -40}, {-5, -25}, {0, 0},   {5, -30},
                           {10, -24},  {10, -45}, {20, -50}};
const PatternPoints Unsorted = {{0, 0}, {10, -20}, {6, -30}};

struct Case {
    const char* what;
    const PatternPoints* points;
    double angle;
    std::vector<double> levels;
    const char* text;
};

const Case Cases[] = {
    {"on a point", &Cut, 5, {-30}, "-30.00"},
    {"on the main beam", &Cut, 0, {0}, "0.00"},
    {"on the first point", &Cut, -20, {-40}, "-40.00"},
    {"on the last point", &Cut, 20, {-50}, "-50.00"},
    {"between points", &Cut, 2.5, {-15}, "-15.00"},
    {"between points on the left", &Cut, -10, {-30}, "-30.00"},
    {"a third of the way", &Cut, 15, {-47.5}, "-47.50"},
    {"on a vertical step", &Cut, 10, {-24, -45}, "-24.00/-45.00"},
    {"just below the step", &Cut, 9, {-25.2}, "-25.20"},
    {"just past the step", &Cut, 11, {-45.5}, "-45.50"},
    {"beyond the last point", &Cut, 20.01, {}, "outside"},
    {"before the first point", &Cut, -180, {}, "outside"},
    {"turned back: two crossings", &Unsorted, 8, {-16, -25}, "-16.00/-25.00"},
    {"turned back: one crossing", &Unsorted, 3, {-6}, "-6.00"},
};

} // namespace

TEST(Envelope, LevelAt) {
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.what);
        const EnvelopeLevel level = envelopeLevelAt(*c.points, c.angle);
        ASSERT_EQ(level.levels.size(), c.levels.size());
        for (size_t i = 0; i < c.levels.size(); ++i)
            EXPECT_NEAR(level.levels[i], c.levels[i], 1e-12);
        EXPECT_EQ(level.inside(), !c.levels.empty());
        EXPECT_EQ(level.isStep(), c.levels.size() > 1);
        EXPECT_EQ(envelopeLevelText(level).toStdString(), c.text);
    }
}

TEST(Envelope, LevelsAtPointsAreTheWrittenOnes) {
    // Exactly, not within rounding: the read-out shows the file's numbers at its points.
    const PatternPoints points = {{0, 0}, {0.1, -0.3}, {0.7, -12.34}, {1.3, -17.1}};
    for (const PatternPoint& p : points)
        EXPECT_EQ(envelopeLevelAt(points, p.Angle).levels, std::vector<double>{p.Level});
    EXPECT_DOUBLE_EQ(envelopeLevelAt(points, 1).top(), (-12.34 - 17.1) / 2);
}

TEST(Envelope, TopAndRange) {
    EXPECT_EQ(envelopeLevelAt(Cut, 10).top(), -24);
    EXPECT_EQ(envelopeRange(Cut), (std::pair<double, double>{-20, 20}));
    EXPECT_EQ(envelopeRange(Unsorted), (std::pair<double, double>{0, 10}));
    EXPECT_FALSE(envelopeRange({}).has_value());
    // A lone point covers its own angle only.
    const PatternPoints lone = {{3, -7}};
    EXPECT_EQ(envelopeLevelText(envelopeLevelAt(lone, 3)), QStringLiteral("-7.00"));
    EXPECT_FALSE(envelopeLevelAt(lone, 3.5).inside());
}
