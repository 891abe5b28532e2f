// SPDX-License-Identifier: MIT
// make_catalogue: writes a synthetic catalogue of Quelda antenna pattern files (.adf) for the
// benchmarks, in the style of the sample catalogue in data/NSMAData: one- and two-sided
// envelopes, single and dual polarized antennas, UHP feeds, two or four cuts, CR LF and LF line
// endings, model numbers that appear in two files (two bands or two dates), the odd "null" data
// date and the odd gain written with its unit.
//
//   make_catalogue OUT_DIR N [--seed S] [--points P]
//
// The same seed gives the same files. Without --points a co-polar cut has 30 to 80 points on the
// usual steps (fine near boresight, 5 or 10 degrees behind). With --points every co-polar cut has
// exactly P points and every cross-polar cut three fifths of that, spread evenly over the same
// regions; angles then get as many decimals as the steps need.
//
// Standard library only, so it builds and runs without Qt.
#include <algorithm>
#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <type_traits>
#include <vector>

namespace {

// splitmix64: small, fast and the same everywhere, which the standard distributions are not.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // In [0, 1).
    double uniform() { return static_cast<double>(next() >> 11) * 0x1.0p-53; }
    double uniform(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // In [lo, hi], both included.
    int between(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    bool chance(double p) { return uniform() < p; }

private:
    std::uint64_t state_;
};

struct Band {
    int low;  // MHz
    int high; // MHz
    const char* code;
    int minFeet;
    int maxFeet;
};

constexpr std::array<Band, 10> Bands{{
    {5925, 6425, "59", 4, 15},
    {6425, 7125, "64", 4, 15},
    {7125, 7750, "71", 2, 12},
    {7750, 8500, "77", 2, 12},
    {10700, 11700, "107", 2, 10},
    {12700, 13250, "127", 2, 8},
    {14400, 15350, "144", 1, 6},
    {17700, 19700, "177", 1, 6},
    {21200, 23600, "212", 1, 4},
    {37000, 39500, "370", 1, 2},
}};

constexpr std::array<int, 9> DishFeet{1, 2, 3, 4, 6, 8, 10, 12, 15};

enum class Grade { Standard, High, Ultra };
enum class Feed { None, Right, Left };

// Everything a file is written from. The envelope details come from shapeSeed.
struct Antenna {
    std::string fileName;
    std::string model;
    std::string patnum;
    std::string descr1; // filled in from the rest when empty
    std::string descr2;
    int feet = 6;
    int low = 7125;
    int high = 7750;
    Grade grade = Grade::High;
    bool dual = false;
    Feed feed = Feed::None;
    bool uhp = false;                  // two-sided only: "POLARI:,V/V UHP" after "POLARI:,V/V"
    bool omitFeedLine = false;         // one-sided only: no FEDORN line instead of an empty one
    int cuts = 4;                      // 2 or 4
    bool twoCutsCross = false;         // two cuts: H/H and H/V instead of H/H and V/V
    bool copolFirst = false;           // four cuts: H/H V/V H/V V/H instead of H/H H/V V/V V/H
    std::string dataDate = "20200101"; // YYYYMMDD or "null"
    std::string revDate = "20200101";
    bool gainUnit = false; // MDGAIN as "38.46 dBi"
    bool crlf = false;
    int copolSide = 30; // about this many points per side of a co-polar cut, on the usual steps
    int xpolSide = 20;  // the same for a cross-polar cut
    int exactCopol = 0; // > 0: exactly this many points in every co-polar cut
    std::uint64_t shapeSeed = 1;
};

constexpr double SpeedOfLight = 299.792458; // m * MHz

// One side (0 to 180 degrees) of a co-polar envelope: the main lobe, a shelf over the first side
// lobes, wide-angle side lobes falling as 25 log(theta), then a spill-over shelf, a middle step
// and the rear level.
struct Shape {
    double shelf;     // dB
    double shelfEnd;  // degrees
    double curve;     // wide-angle side lobes: curve - 25 log10(theta) - gain, dB
    double spill;     // dB
    double spillEnd;  // degrees
    double middle;    // dB
    double backStart; // degrees
    double back;      // dB, minus the front-to-back ratio
};

struct Electrical {
    double beamwidth; // degrees at the middle of the band
    double gainLow;
    double gainMid;
    double gainHigh;
    double frontToBack;
    double xpd; // cross-polar level at boresight below the peak, dB
    double vswr;
};

double round1(double v) {
    return std::round(v * 10.0) / 10.0;
}

double gainAt(const Antenna& a, double mhz, double offset) {
    const double metres = a.feet * 0.3048;
    return 20.0 * std::log10(mhz / 1000.0) + 20.0 * std::log10(metres) + 17.8 + offset;
}

Electrical electricalFor(const Antenna& a, Rng& r) {
    Electrical e{};
    const double mid = (a.low + a.high) / 2.0;
    const double metres = a.feet * 0.3048;
    e.beamwidth = 70.0 * (SpeedOfLight / mid) / metres;
    // A shield and absorber cost a little aperture efficiency.
    const double offset = (a.grade == Grade::Standard ? 0.0
                           : a.grade == Grade::High   ? -0.2
                                                      : -0.3) +
                          r.uniform(-0.3, 0.3);
    e.gainLow = gainAt(a, a.low, offset);
    e.gainMid = gainAt(a, mid, offset);
    e.gainHigh = gainAt(a, a.high, offset);
    const double margin = a.grade == Grade::Standard ? 16.0 : a.grade == Grade::High ? 22.0 : 30.0;
    e.frontToBack = round1(std::clamp(e.gainMid + margin + r.uniform(-1.5, 1.5), 60.0, 85.0));
    switch (a.grade) {
    case Grade::Standard:
        e.xpd = r.uniform(30.0, 32.0);
        e.vswr = r.uniform(1.10, 1.15);
        break;
    case Grade::High:
        e.xpd = r.uniform(32.0, 36.0);
        e.vswr = r.uniform(1.06, 1.10);
        break;
    case Grade::Ultra:
        e.xpd = r.uniform(36.0, 40.0);
        e.vswr = r.uniform(1.04, 1.06);
        break;
    }
    e.xpd = round1(e.xpd);
    return e;
}

Shape nominalShape(Rng& r, Grade grade, const Electrical& e) {
    Shape s{};
    switch (grade) {
    case Grade::Standard:
        s.shelf = -r.uniform(19.0, 22.0);
        s.curve = r.uniform(32.0, 34.0);
        break;
    case Grade::High:
        s.shelf = -r.uniform(23.0, 26.0);
        s.curve = r.uniform(29.0, 31.0);
        break;
    case Grade::Ultra:
        s.shelf = -r.uniform(26.0, 29.0);
        s.curve = r.uniform(25.0, 27.0);
        break;
    }
    s.shelf = round1(s.shelf);
    const double mainEnd = e.beamwidth * std::sqrt(-s.shelf / 12.0);
    s.shelfEnd = mainEnd + e.beamwidth * r.uniform(1.0, 2.5) + 0.3;
    s.back = -e.frontToBack;
    s.middle = round1(s.back + r.uniform(1.5, 4.0));
    s.spill = round1(s.back + r.uniform(4.0, 9.0));
    s.spillEnd = 5.0 * r.between(14, 19);
    s.backStart = 5.0 * r.between(22, 30);
    return s;
}

// The other polarization of the same antenna: close to the first, not the same.
Shape otherPolarization(Rng& r, Shape s) {
    s.shelf = round1(s.shelf + r.uniform(-0.8, 0.8));
    s.curve += r.uniform(-1.0, 1.0);
    s.shelfEnd *= r.uniform(0.9, 1.1);
    s.spill = round1(std::max(s.spill + r.uniform(-1.5, 1.5), s.middle));
    return s;
}

// The side the feed is offset towards sees more of it: higher side lobes and spill-over.
Shape feedSide(Rng& r, Shape s) {
    s.shelf = round1(s.shelf + r.uniform(0.5, 1.5));
    s.curve += r.uniform(2.0, 3.5);
    s.spill = round1(s.spill + r.uniform(3.0, 6.0));
    s.spillEnd += 5.0 * r.between(2, 4);
    s.backStart = std::min(s.backStart + 5.0 * r.between(1, 3), 160.0);
    return s;
}

// Keeps the spill-over shelf well below the first side lobes (small dishes have little gain).
Shape tidy(Shape s) {
    s.spill = std::min(s.spill, s.shelf - 5.0);
    s.middle = std::min(s.middle, s.spill);
    return s;
}

double mainLobeEnd(const Shape& s, double beamwidth) {
    return beamwidth * std::sqrt(-s.shelf / 12.0);
}

double copolarLevel(const Shape& s, double beamwidth, double gain, double theta) {
    const double x = theta / beamwidth;
    const double main = -12.0 * x * x;
    if (main >= s.shelf)
        return main;
    double lobes = s.shelf;
    if (theta >= s.shelfEnd) {
        // Envelopes are drawn on half-dB steps out here.
        const double wide = std::ceil(2.0 * (s.curve - 25.0 * std::log10(theta) - gain)) / 2.0;
        lobes = std::min(s.shelf, wide);
    }
    // Behind the dish the front-to-back ratio rules, whatever the side lobes would give.
    if (theta >= s.backStart)
        return s.back;
    if (theta >= s.spillEnd)
        return std::max(std::min(lobes, s.spill), s.middle);
    return std::max(lobes, s.spill);
}

// Angles are whole ticks of 10^-decimals degree, levels whole hundredths of a dB.
struct Point {
    std::int64_t angle;
    int level;
};
using Points = std::vector<Point>;

std::int64_t pow10(int decimals) {
    std::int64_t p = 1;
    for (int i = 0; i < decimals; ++i)
        p *= 10;
    return p;
}

// Region edges of one side, degrees. The first edge after boresight is the end of the main lobe.
std::array<double, 6> regionEdges(double mainEnd) {
    return {0.0, std::clamp(mainEnd * 1.1, 0.2, 8.0), 10.0, 30.0, 100.0, 180.0};
}

constexpr std::array<double, 5> RegionWeights{0.24, 0.26, 0.17, 0.18, 0.15};

// Splits count - 1 points (boresight is the extra one) over the five regions.
std::array<int, 5> regionCounts(int count) {
    std::array<int, 5> c{};
    int sum = 0;
    for (size_t k = 0; k < c.size(); ++k) {
        c[k] = std::max(1, static_cast<int>(std::lround(RegionWeights[k] * (count - 1))));
        sum += c[k];
    }
    // Put the rounding difference where it hurts least.
    for (int diff = count - 1 - sum; diff != 0;) {
        const auto k = static_cast<size_t>(std::max_element(c.begin(), c.end()) - c.begin());
        if (diff > 0) {
            c[k] += diff;
            diff = 0;
        } else {
            const int take = std::min(-diff, c[k] - 1);
            c[k] -= take;
            diff += take;
            if (take == 0)
                break;
        }
    }
    return c;
}

// The fewest decimals (at least two) that give every region of a side at least one tick per point.
int decimalsFor(int count, double mainEnd) {
    const auto edges = regionEdges(mainEnd);
    const auto counts = regionCounts(count);
    for (int d = 2; d < 9; ++d) {
        const std::int64_t scale = pow10(d);
        bool fits = true;
        for (size_t k = 0; k < counts.size(); ++k) {
            const std::int64_t len = std::llround(edges[k + 1] * static_cast<double>(scale)) -
                                     std::llround(edges[k] * static_cast<double>(scale));
            if (len < counts[k])
                fits = false;
        }
        if (fits)
            return d;
    }
    return 9;
}

// Exactly count angles from 0 to 180 degrees, evenly spread inside each region.
std::vector<std::int64_t> exactAngles(int count, double mainEnd, int decimals) {
    const auto edges = regionEdges(mainEnd);
    const auto counts = regionCounts(count);
    const auto scale = static_cast<double>(pow10(decimals));
    std::vector<std::int64_t> angles;
    angles.reserve(static_cast<size_t>(count));
    angles.push_back(0);
    for (size_t k = 0; k < counts.size(); ++k) {
        const std::int64_t from = std::llround(edges[k] * scale);
        const std::int64_t to = std::llround(edges[k + 1] * scale);
        for (std::int64_t j = 1; j <= counts[k]; ++j)
            angles.push_back(from + j * (to - from) / counts[k]);
    }
    return angles;
}

// About count angles from 0 to 180 degrees on the steps an envelope is usually drawn on
// (hundredths of a degree): fine in the main lobe, 5 or 10 degrees behind.
std::vector<std::int64_t> usualAngles(int count, double mainEnd) {
    static const std::array<std::vector<std::int64_t>, 5> steps{{
        {5, 10, 20, 25, 50},
        {10, 20, 25, 50, 100, 200},
        {50, 100, 200, 250, 500},
        {250, 500, 1000},
        {500, 1000, 2000},
    }};
    const auto edges = regionEdges(mainEnd);
    const auto counts = regionCounts(count);
    std::vector<std::int64_t> angles{0};
    for (size_t k = 0; k < counts.size(); ++k) {
        const double ideal = (edges[k + 1] - edges[k]) * 100.0 / counts[k];
        std::int64_t step = steps[k].front();
        for (const std::int64_t s : steps[k])
            if (std::abs(std::log(static_cast<double>(s) / ideal)) <
                std::abs(std::log(static_cast<double>(step) / ideal)))
                step = s;
        std::int64_t to = std::llround(edges[k + 1] * 100.0);
        if (k == 0) // the main lobe runs to the next step past its end
            to = std::min<std::int64_t>((to + step - 1) / step * step, 1000);
        for (std::int64_t t = (angles.back() / step + 1) * step; t <= to; t += step)
            angles.push_back(t);
    }
    return angles;
}

int centi(double level) {
    return static_cast<int>(std::clamp<long>(std::lround(level * 100.0), -10000, 0));
}

// Levels never rise away from boresight.
void settle(Points& points) {
    const auto zero = static_cast<size_t>(
        std::find_if(points.begin(), points.end(), [](const Point& p) { return p.angle >= 0; }) -
        points.begin());
    if (zero >= points.size())
        return;
    for (size_t i = zero + 1; i < points.size(); ++i)
        points[i].level = std::min(points[i].level, points[i - 1].level);
    for (size_t i = zero; i > 0; --i)
        points[i - 1].level = std::min(points[i - 1].level, points[i].level);
}

// The level of a cut's polyline at an angle (ticks).
double levelAt(const Points& points, std::int64_t angle) {
    const auto hi = std::lower_bound(points.begin(), points.end(), angle,
                                     [](const Point& p, std::int64_t a) { return p.angle < a; });
    if (hi == points.end())
        return points.back().level;
    if (hi->angle == angle || hi == points.begin())
        return hi->level;
    const auto lo = std::prev(hi);
    const double t =
        static_cast<double>(angle - lo->angle) / static_cast<double>(hi->angle - lo->angle);
    return lo->level + t * (hi->level - lo->level);
}

struct CutText {
    const char* polari;
    Points points;
};

// Both sides of a co-polar shape pair: [0] positive angles, [1] negative angles.
using SideShapes = std::array<Shape, 2>;

class Builder {
public:
    Builder(const Antenna& a, const Electrical& e, Rng& r) : a_(a), e_(e), r_(r) {}

    std::vector<CutText> build(int& decimals) {
        const Shape h = nominalShape(r_, a_.grade, e_);
        const Shape v = otherPolarization(r_, h);
        const SideShapes hh = sides(h);
        const SideShapes vv = sides(v);
        const double drop = r_.uniform(5.0, 9.0);

        struct Plan {
            const char* polari;
            const SideShapes* shapes;
            bool copol;
        };
        std::vector<Plan> plans;
        if (a_.cuts == 2) {
            plans.push_back({"H/H", &hh, true});
            plans.push_back(a_.twoCutsCross ? Plan{"H/V", &hh, false} : Plan{"V/V", &vv, true});
        } else if (a_.copolFirst) {
            plans = {
                {"H/H", &hh, true}, {"V/V", &vv, true}, {"H/V", &hh, false}, {"V/H", &vv, false}};
        } else {
            plans = {
                {"H/H", &hh, true}, {"H/V", &hh, false}, {"V/V", &vv, true}, {"V/H", &vv, false}};
        }

        // Point counts per side, drawn whether or not they are used so a seed gives the same
        // antennas with and without --points.
        std::vector<std::array<int, 2>> sideCounts;
        for (const Plan& p : plans) {
            const int target = p.copol ? a_.copolSide : a_.xpolSide;
            sideCounts.push_back(
                {std::max(8, target + r_.between(-2, 2)), std::max(8, target + r_.between(-2, 2))});
        }
        decimals = 2;
        if (a_.exactCopol > 0) {
            for (size_t i = 0; i < plans.size(); ++i) {
                const int total =
                    plans[i].copol ? a_.exactCopol : std::max(12, (a_.exactCopol * 3 + 4) / 5);
                sideCounts[i] =
                    twoSided() ? std::array<int, 2>{total + 1 - (total + 1) / 2, (total + 1) / 2}
                               : std::array<int, 2>{total, 0};
                for (size_t s = 0; s < (twoSided() ? 2u : 1u); ++s)
                    decimals = std::max(
                        decimals, decimalsFor(sideCounts[i][s],
                                              mainLobeEnd((*plans[i].shapes)[s], e_.beamwidth)));
            }
        }

        std::vector<CutText> cuts;
        std::vector<const Points*> copolar;
        cuts.reserve(plans.size());
        for (size_t i = 0; i < plans.size(); ++i)
            if (plans[i].copol)
                cuts.push_back(
                    {plans[i].polari, cut(*plans[i].shapes, sideCounts[i], decimals, nullptr)});
            else
                cuts.push_back({plans[i].polari, {}});
        for (const CutText& c : cuts)
            if (!c.points.empty())
                copolar.push_back(&c.points);
        for (size_t i = 0; i < plans.size(); ++i) {
            if (plans[i].copol)
                continue;
            const double x0 = -e_.xpd;
            cuts[i].points = cut(*plans[i].shapes, sideCounts[i], decimals,
                                 [&](double co) { return std::min(x0, co - drop); });
            // Keep clear of every co-polar line as drawn, not only of the shape it came from.
            for (Point& p : cuts[i].points) {
                double cap = 0.0;
                for (const Points* co : copolar)
                    cap = std::min(cap, levelAt(*co, p.angle) - 100.0);
                p.level = std::max(-10000, std::min(p.level, static_cast<int>(std::floor(cap))));
            }
            settle(cuts[i].points);
        }
        return cuts;
    }

private:
    bool twoSided() const { return a_.feed != Feed::None; }

    SideShapes sides(const Shape& base) {
        if (!twoSided())
            return {tidy(base), tidy(base)};
        // The side away from the feed is the nominal one, give or take a little.
        Shape plain = base;
        plain.shelfEnd *= r_.uniform(0.92, 1.08);
        Shape fed = feedSide(r_, base);
        // RIGHT puts the feed's spill-over on the positive side.
        return a_.feed == Feed::Right ? SideShapes{tidy(fed), tidy(plain)}
                                      : SideShapes{tidy(plain), tidy(fed)};
    }

    template <typename Cross = std::nullptr_t>
    Points cut(const SideShapes& shapes, const std::array<int, 2>& counts, int decimals,
               Cross cross) {
        const auto scale = static_cast<double>(pow10(decimals));
        auto sideAngles = [&](size_t s) {
            const double mainEnd = mainLobeEnd(shapes[s], e_.beamwidth);
            if (a_.exactCopol > 0)
                return exactAngles(counts[s], mainEnd, decimals);
            return usualAngles(counts[s], mainEnd);
        };
        auto level = [&](const Shape& s, std::int64_t angle) {
            double l =
                copolarLevel(s, e_.beamwidth, e_.gainMid, static_cast<double>(angle) / scale);
            if constexpr (!std::is_same_v<Cross, std::nullptr_t>)
                l = cross(l);
            return centi(l);
        };
        Points points;
        if (twoSided()) {
            const auto negative = sideAngles(1);
            for (auto it = negative.rbegin(); it != negative.rend(); ++it)
                if (*it != 0)
                    points.push_back({-*it, level(shapes[1], *it)});
        }
        for (const std::int64_t angle : sideAngles(0))
            points.push_back({angle, level(shapes[0], angle)});
        settle(points);
        return points;
    }

    const Antenna& a_;
    const Electrical& e_;
    Rng& r_;
};

void appendFixed(std::string& out, std::int64_t value, int decimals) {
    if (value < 0) {
        out += '-';
        value = -value;
    }
    const std::int64_t scale = pow10(decimals);
    char buf[24];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value / scale);
    (void)ec;
    out.append(buf, end);
    if (decimals > 0) {
        out += '.';
        std::int64_t frac = value % scale;
        char digits[16];
        for (int i = decimals - 1; i >= 0; --i) {
            digits[i] = static_cast<char>('0' + frac % 10);
            frac /= 10;
        }
        out.append(digits, static_cast<size_t>(decimals));
    }
}

std::string fixed(double value, int decimals) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, value);
    return buf;
}

// 5925 -> "5.925", 10700 -> "10.7", 37000 -> "37".
std::string gigahertz(int mhz) {
    std::string s = std::to_string(mhz / 1000);
    if (int rest = mhz % 1000; rest != 0) {
        char buf[8];
        std::snprintf(buf, sizeof buf, ".%03d", rest);
        std::string frac = buf;
        while (frac.back() == '0')
            frac.pop_back();
        s += frac;
    }
    return s;
}

std::string gradeName(Grade g) {
    return g == Grade::Standard ? "Std" : g == Grade::High ? "HP" : "UHP";
}

std::string descr1For(const Antenna& a) {
    return std::to_string(a.feet) + " ft " + (a.dual ? "Dual" : "Single") + " Pol " +
           gradeName(a.grade);
}

std::string descr2For(const Antenna& a) {
    const char* kind = a.grade == Grade::Standard ? "Standard parabolic antenna"
                       : a.grade == Grade::High   ? "High performance parabolic antenna"
                                                  : "Ultra high performance parabolic antenna";
    return std::string(kind) + (a.dual ? ", dual polarized, " : ", single polarized, ") +
           gigahertz(a.low) + "-" + gigahertz(a.high) + " GHz";
}

struct FileStats {
    long long cuts = 0;
    long long points = 0;
    long long bytes = 0;
};

// The whole text of one file.
std::string fileText(const Antenna& a, FileStats& stats) {
    Rng r(a.shapeSeed);
    const Electrical e = electricalFor(a, r);
    int decimals = 2;
    const std::vector<CutText> cuts = Builder(a, e, r).build(decimals);

    const char* eol = a.crlf ? "\r\n" : "\n";
    std::string out;
    size_t pointCount = 0;
    for (const CutText& c : cuts)
        pointCount += c.points.size();
    out.reserve(1024 + pointCount * (16 + 2 * static_cast<size_t>(decimals)));
    auto line = [&](std::string_view keyword, std::string_view value) {
        out += keyword;
        out += ":,";
        out += value;
        out += eol;
    };
    line("REVNUM", "NSMA WG16.99.050");
    line("REVDAT", a.revDate);
    line("ANTMAN", "Quelda");
    line("MODNUM", a.model);
    line("PATNUM", a.patnum);
    if (a.feed == Feed::Right)
        line("FEDORN", "RIGHT");
    else if (a.feed == Feed::Left)
        line("FEDORN", "LEFT");
    else if (!a.omitFeedLine)
        line("FEDORN", "");
    line("DESCR1", a.descr1.empty() ? descr1For(a) : a.descr1);
    line("DESCR2", a.descr2.empty() ? descr2For(a) : a.descr2);
    line("DTDATA", a.dataDate);
    line("LOWFRQ", std::to_string(a.low));
    line("HGHFRQ", std::to_string(a.high));
    line("GUNITS", "DBI/DBR");
    line("LWGAIN", fixed(e.gainLow, 1));
    line("MDGAIN", a.gainUnit ? fixed(e.gainMid, 2) + " dBi" : fixed(e.gainMid, 1));
    line("HGGAIN", fixed(e.gainHigh, 1));
    line("AZWIDT", fixed(e.beamwidth, 1));
    line("ELWIDT", fixed(e.beamwidth, 1));
    line("ATVSWR", fixed(e.vswr, 2));
    line("FRTOBA", fixed(e.frontToBack, 1));
    line("ELTILT", "0");
    line("PATTYP", "ENVELOPE");
    line("NOFREQ", "1");
    line("PATFRE", (a.low + a.high) % 2 == 0 ? std::to_string((a.low + a.high) / 2)
                                             : std::to_string((a.low + a.high) / 2) + ".5");
    line("NUMCUT", std::to_string(cuts.size()));
    for (const CutText& c : cuts) {
        line("PATCUT", "AZ");
        line("POLARI", c.polari);
        if (a.uhp && a.feed != Feed::None && std::string_view(c.polari) == "V/V")
            line("POLARI", "V/V UHP");
        line("NUPOIN", std::to_string(c.points.size()));
        std::string range;
        appendFixed(range, c.points.front().angle, decimals);
        range += ',';
        appendFixed(range, c.points.back().angle, decimals);
        line("FSTLST", range);
        for (const Point& p : c.points) {
            appendFixed(out, p.angle, decimals);
            out += ',';
            appendFixed(out, p.level, 2);
            out += ',';
            out += eol;
        }
        ++stats.cuts;
        stats.points += static_cast<long long>(c.points.size());
    }
    line("ENDFIL", "EOF");
    stats.bytes += static_cast<long long>(out.size());
    return out;
}

bool writeFile(const std::filesystem::path& path, const std::string& text) {
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    if (!f)
        return false;
    const bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    return std::fclose(f) == 0 && ok;
}

std::string randomDate(Rng& r, int fromYear, int toYear) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d%02d%02d", r.between(fromYear, toYear), r.between(1, 12),
                  r.between(1, 28));
    return buf;
}

std::string randomPatnum(Rng& r) {
    if (r.chance(0.5))
        return std::to_string(r.between(10000, 99999));
    return std::to_string(r.between(1000, 9999)) + static_cast<char>('A' + r.between(0, 5));
}

std::string seriesOf(Grade g, bool dual) {
    const char* s = g == Grade::Standard ? "QS" : g == Grade::High ? "ZZ" : "QU";
    return std::string(s) + (dual ? "X" : "");
}

Antenna randomAntenna(Rng& r) {
    Antenna a;
    const double g = r.uniform();
    a.grade = g < 0.35 ? Grade::Standard : g < 0.75 ? Grade::High : Grade::Ultra;
    a.dual = r.chance(0.5);
    const Band& band = Bands[r.next() % Bands.size()];
    a.low = band.low;
    a.high = band.high;
    std::vector<int> fits;
    for (const int f : DishFeet)
        if (f >= band.minFeet && f <= band.maxFeet && (a.grade == Grade::Standard || f > 1))
            fits.push_back(f);
    a.feet = fits[r.next() % fits.size()];
    // Some 6 GHz models cover both halves of the band, one file per half.
    std::string code = band.code;
    if (band.low < 7000 && r.chance(0.3))
        code = "60";
    a.model = seriesOf(a.grade, a.dual) + std::to_string(a.feet) + "-" + code;
    // Option letters (flange, radome, colour); never an X, which would make the model dual.
    if (r.chance(0.6))
        a.model += "ABCDEFGHJKLMNPRSTW"[r.between(0, 17)];
    a.patnum = randomPatnum(r);

    if (a.grade == Grade::Ultra || (a.grade == Grade::High && r.chance(0.4))) {
        a.feed = r.chance(0.5) ? Feed::Right : Feed::Left;
        a.uhp = a.grade == Grade::Ultra;
    }
    a.omitFeedLine = a.feed == Feed::None && r.chance(0.5);
    a.cuts = !a.dual && r.chance(0.15) ? 2 : 4;
    a.twoCutsCross = r.chance(0.5);
    a.copolFirst = r.chance(0.3);
    a.dataDate = randomDate(r, 2008, 2022);
    a.revDate =
        r.chance(0.5) ? a.dataDate : randomDate(r, std::stoi(a.dataDate.substr(0, 4)) + 1, 2024);
    if (r.chance(0.02))
        a.dataDate = "null";
    a.gainUnit = r.chance(0.04);
    a.crlf = r.chance(0.3);
    const bool dense = r.chance(0.05);
    if (a.feed == Feed::None)
        a.copolSide = dense ? r.between(100, 120) : r.between(30, 60);
    else
        a.copolSide = dense ? r.between(56, 66) : r.between(18, 36);
    a.xpolSide = std::max(12, a.copolSide * 2 / 3 + r.between(-3, 3));
    a.shapeSeed = r.next();
    return a;
}

// A second file for the same model number: the other half of a 6 GHz band, or a later revision.
Antenna companion(Rng& r, const Antenna& first) {
    Antenna b = first;
    if (first.model.find("-60") != std::string::npos) {
        const Band& other = first.low == Bands[0].low ? Bands[1] : Bands[0];
        b.low = other.low;
        b.high = other.high;
    } else {
        const int year = first.dataDate == "null" ? 2015 : std::stoi(first.dataDate.substr(0, 4));
        b.dataDate = randomDate(r, std::min(year + 1, 2024), 2024);
        b.revDate = b.dataDate;
    }
    b.patnum = randomPatnum(r);
    b.shapeSeed = r.next();
    return b;
}

// Five characters: decimal while the catalogue is small enough, base 36 beyond.
std::string sequenceText(long long n, bool base36) {
    std::string s(5, '0');
    const int radix = base36 ? 36 : 10;
    for (int i = 4; i >= 0; --i) {
        const int digit = static_cast<int>(n % radix);
        s[static_cast<size_t>(i)] = static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10);
        n /= radix;
    }
    return s;
}

// Series and size, then the sequence: "ZZX12-00042.adf", never more than 15 characters.
std::string fileNameFor(const Antenna& a, long long n, bool base36) {
    return a.model.substr(0, a.model.find('-')) + "-" + sequenceText(n, base36) + ".adf";
}

template <typename T> std::optional<T> parseNumber(std::string_view text) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

int usage() {
    std::fprintf(stderr,
                 "usage: make_catalogue OUT_DIR N [--seed S] [--points P]\n"
                 "  writes N synthetic Quelda antenna pattern files (.adf) into OUT_DIR\n"
                 "  --seed S    unsigned seed, default 1; the same seed gives the same files\n"
                 "  --points P  exactly P points in every co-polar cut (12 to 10000000),\n"
                 "              three fifths of that in every cross-polar cut\n");
    return 2;
}

constexpr long long MaxFiles = 36LL * 36 * 36 * 36 * 36;

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> positional;
    std::uint64_t seed = 1;
    int points = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--seed" || arg == "--points") {
            if (i + 1 >= argc)
                return usage();
            const std::string_view value = argv[++i];
            if (arg == "--seed") {
                const auto s = parseNumber<std::uint64_t>(value);
                if (!s)
                    return usage();
                seed = *s;
            } else {
                const auto p = parseNumber<int>(value);
                if (!p || *p < 12 || *p > 10'000'000)
                    return usage();
                points = *p;
            }
        } else if (arg.starts_with("--")) {
            return usage();
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 2)
        return usage();
    const std::filesystem::path outDir(positional[0]);
    const auto count = parseNumber<long long>(positional[1]);
    if (!count || *count < 1 || *count > MaxFiles)
        return usage();

    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    if (!std::filesystem::is_directory(outDir)) {
        std::fprintf(stderr, "make_catalogue: cannot create %s\n", outDir.string().c_str());
        return 1;
    }

    const auto started = std::chrono::steady_clock::now();
    const bool base36 = *count > 99'999;
    Rng r(seed);
    FileStats stats;
    long long made = 0;
    auto emit = [&](Antenna& a) {
        a.exactCopol = points;
        a.fileName = fileNameFor(a, made, base36);
        const std::filesystem::path path = outDir / a.fileName;
        if (!writeFile(path, fileText(a, stats))) {
            std::fprintf(stderr, "make_catalogue: cannot write %s\n", path.string().c_str());
            return false;
        }
        ++made;
        return true;
    };
    while (made < *count) {
        Antenna a = randomAntenna(r);
        if (!emit(a))
            return 1;
        if (made < *count && r.chance(0.08)) {
            Antenna b = companion(r, a);
            if (!emit(b))
                return 1;
        }
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("make_catalogue: %lld files, %lld cuts, %lld points, %lld bytes in %s (seed %llu) "
                "in %.2f s\n",
                made, stats.cuts, stats.points, stats.bytes, outDir.string().c_str(),
                static_cast<unsigned long long>(seed), seconds);
    return 0;
}
