// SPDX-License-Identifier: MIT
// lobeview-cli level: the envelope's level of each cut at given angles, or every few degrees over
// the cuts' ranges, as the graph window's read-out gives it.
#include "adf/Envelope.h"
#include "base/JsonText.h"
#include "cli/Commands.h"
#include "compliance/ComplianceText.h"

#include <QtCore/QFileInfo>
#include <cmath>

namespace {

const char LevelUsage[] =
    "usage: lobeview-cli level FILE.adf ANGLE... [--cut hh|vv|hv|vh] [--json]\n"
    "       lobeview-cli level FILE.adf --table STEP [--cut hh|vv|hv|vh] [--json]";

// Rows a table may have; a step that makes more is refused.
constexpr double MaxTableRows = 1e6;

int usageError(const QString& why) {
    printError(QStringLiteral("lobeview-cli level: ") + why);
    printError(QString::fromLatin1(LevelUsage));
    return 2;
}

std::optional<double> number(const QString& text) {
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

// The angles k * step over [lo, hi], rounded to a billionth of a degree so that a step of 0.1
// lands on the file's points.
std::vector<double> tableAngles(double lo, double hi, double step) {
    std::vector<double> out;
    const auto first = static_cast<long long>(std::ceil(lo / step - 1e-9));
    const auto last = static_cast<long long>(std::floor(hi / step + 1e-9));
    for (long long k = first; k <= last; ++k)
        out.push_back(std::round(double(k) * step * 1e9) / 1e9);
    return out;
}

QString tableAngleText(double angle) {
    return QString::number(angle == 0 ? 0.0 : angle, 'g', 10);
}

QByteArray textTable(const LoadedPattern& p, const std::vector<int>& cuts,
                     const std::vector<double>& angles) {
    QString out = QStringLiteral("angle");
    for (const int cut : cuts)
        out += QLatin1Char('\t') + cutName(cut);
    out += QLatin1Char('\n');
    for (const double angle : angles) {
        out += tableAngleText(angle);
        for (const int cut : cuts)
            out += QLatin1Char('\t') +
                   envelopeLevelText(envelopeLevelAt(p.CutPoints[size_t(cut)], angle));
        out += QLatin1Char('\n');
    }
    return out.toUtf8();
}

QByteArray jsonTable(const QString& file, const LoadedPattern& p, const std::vector<int>& cuts,
                     const std::vector<double>& angles) {
    QByteArray out = "{\"file\": ";
    json::appendString(out, QFileInfo(file).fileName());
    out += ", \"twoSided\": ";
    out += isTwoSided(p.feedKind) ? "true" : "false";
    out += ", \"cuts\": [";
    bool firstCut = true;
    for (const int cut : cuts) {
        const PatternPoints& points = p.CutPoints[size_t(cut)];
        const auto range = envelopeRange(points);
        out += firstCut ? "\n  {\"cut\": " : ",\n  {\"cut\": ";
        firstCut = false;
        json::appendString(out, cutName(cut));
        out += ", \"from\": ";
        json::appendNumber(out, range->first);
        out += ", \"to\": ";
        json::appendNumber(out, range->second);
        out += ", \"levels\": [";
        bool firstAngle = true;
        for (const double angle : angles) {
            const EnvelopeLevel level = envelopeLevelAt(points, angle);
            out += firstAngle ? "\n    {\"angle\": " : ",\n    {\"angle\": ";
            firstAngle = false;
            json::appendNumber(out, angle);
            out += ", \"outside\": ";
            out += level.inside() ? "false" : "true";
            out += ", \"levels\": [";
            for (size_t i = 0; i < level.levels.size(); ++i) {
                if (i > 0)
                    out += ", ";
                json::appendNumber(out, level.levels[i]);
            }
            out += "]}";
        }
        out += "]}";
    }
    out += "]}\n";
    return out;
}

} // namespace

int levelCommand(const QStringList& args) {
    QString file;
    std::vector<double> angles;
    std::optional<double> step;
    int onlyCut = -1;
    bool asJson = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!file.isEmpty() && number(a)) {
            angles.push_back(*number(a));
        } else if (a == QStringLiteral("--json")) {
            asJson = true;
        } else if (a == QStringLiteral("--cut")) {
            static const QStringList names = {QStringLiteral("hh"), QStringLiteral("vv"),
                                              QStringLiteral("hv"), QStringLiteral("vh")};
            if (i + 1 >= args.size() || !names.contains(args[i + 1].toLower()))
                return usageError(QStringLiteral("--cut takes hh, vv, hv or vh"));
            onlyCut = int(names.indexOf(args[++i].toLower()));
        } else if (a == QStringLiteral("--table")) {
            if (i + 1 >= args.size() || !number(args[i + 1]) || *number(args[i + 1]) <= 0)
                return usageError(QStringLiteral("--table takes a step in degrees above 0"));
            step = number(args[++i]);
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            return usageError(file.isEmpty() ? QStringLiteral("the data file comes first")
                                             : QStringLiteral("unknown option %1").arg(a));
        } else if (file.isEmpty()) {
            file = a;
        } else {
            return usageError(QStringLiteral("'%1' is not an angle").arg(a));
        }
    }
    if (file.isEmpty())
        return usageError(QStringLiteral("no data file"));
    if (step && !angles.empty())
        return usageError(QStringLiteral("give angles or --table, not both"));
    if (!step && angles.empty())
        return usageError(QStringLiteral("no angle"));

    const AntennaFileOrError opened = AntennaFile::open(file);
    if (!opened.file) {
        printError(fileError(file, opened.error));
        return 1;
    }
    const LoadedPattern& pattern = opened.file->pattern;
    std::vector<int> cuts;
    for (int cut = 0; cut < CutCount; ++cut)
        if ((onlyCut < 0 || cut == onlyCut) && !pattern.CutPoints[size_t(cut)].empty())
            cuts.push_back(cut);
    if (cuts.empty()) {
        printError(fileError(
            file, onlyCut < 0 ? QStringLiteral("the file has no envelope points")
                              : QStringLiteral("the file has no %1 cut").arg(cutName(onlyCut))));
        return 1;
    }
    if (step) {
        double lo = 0, hi = 0;
        for (size_t i = 0; i < cuts.size(); ++i) {
            const auto range = envelopeRange(pattern.CutPoints[size_t(cuts[i])]);
            lo = i == 0 ? range->first : std::min(lo, range->first);
            hi = i == 0 ? range->second : std::max(hi, range->second);
        }
        if ((hi - lo) / *step > MaxTableRows)
            return usageError(QStringLiteral("a step of %1 degrees makes too many rows")
                                  .arg(tableAngleText(*step)));
        angles = tableAngles(lo, hi, *step);
    }
    printOut(asJson ? jsonTable(file, pattern, cuts, angles) : textTable(pattern, cuts, angles));
    return 0;
}
