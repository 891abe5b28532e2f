// SPDX-License-Identifier: MIT
#include "compliance/ComplianceReports.h"

#include "base/JsonText.h"
#include "catalogue/AntennaFile.h"
#include "catalogue/IndexRefresh.h"
#include "compliance/ComplianceText.h"

#include <QtCore/QDir>
#include <QtCore/QFileInfo>
#include <QtCore/QSaveFile>
#include <cmath>

namespace {

QString mhz(double v) {
    return QString::number(v, 'g', 10);
}

QString bandText(const ComplianceReport& r) {
    return mhz(r.bandLowMHz) + QLatin1Char('-') + mhz(r.bandHighMHz) + QStringLiteral(" MHz");
}

// ---- readable text ----

QByteArray textOf(const QString& name, const ComplianceReport& r, const QString& chosen) {
    QString out;
    if (r.status != ComplianceReport::Status::Checked) {
        out = name + QStringLiteral(": ") + r.message;
        if (!std::isnan(r.midFrequency))
            out += QStringLiteral(" (mid %1 MHz)").arg(mhz(r.midFrequency));
        return out.toUtf8() + '\n';
    }
    out = QStringLiteral("%1: %2 band, mid %3 MHz, %4; Category %5: %6\n")
              .arg(name, bandText(r), mhz(r.midFrequency),
                   r.twoSided ? QStringLiteral("two-sided") : QStringLiteral("one-sided"), chosen,
                   verdictText(r.verdictFor(chosen)));
    if (!r.note.isEmpty())
        out += QStringLiteral("  note: %1\n").arg(r.note);
    for (const CategoryResult& c : r.categories) {
        out += QStringLiteral("  %1: %2").arg(c.category, verdictText(c.verdict));
        const QString decided = decidedByText(c);
        if (!decided.isEmpty())
            out += (c.verdict == Verdict::NotEnoughData ? QStringLiteral(": ")
                                                        : QStringLiteral(", decided by ")) +
                   decided;
        if (!std::isnan(c.suppression.worstMargin))
            out += QStringLiteral("; worst margin %1 dB at %2 (%3)")
                       .arg(marginText(c.suppression.worstMargin), worstPlaceText(c.suppression),
                            cutName(c.suppression.worstCut));
        out += QStringLiteral("\n    gain/beamwidth: %1\n").arg(gainBeamText(c.gainBeam));
        for (const CutSuppression& cs : c.suppression.cuts) {
            out +=
                QStringLiteral("    suppression %1: %2").arg(cutLabel(cs), cutSuppressionText(cs));
            if (!std::isnan(cs.worstMargin))
                out += QStringLiteral(", worst margin %1 dB at %2")
                           .arg(marginText(cs.worstMargin), worstPlaceText(cs));
            out += QLatin1Char('\n');
        }
    }
    for (const GroupResult& g : r.groups)
        if (g.split)
            out += QStringLiteral("  %1: %2\n").arg(g.category, groupText(r, g));
    return out.toUtf8();
}

// ---- JSON ----

void appendVerdict(QByteArray& out, Verdict v) {
    json::appendString(out, verdictText(v));
}

void appendOptional(QByteArray& out, const std::optional<double>& v) {
    if (v)
        json::appendNumber(out, *v);
    else
        out += "null";
}

// The bin of a worst margin, and whether the margin is the limit at its open upper edge.
void appendWorstBin(QByteArray& out, double low, double high, bool atEnd) {
    out += ", \"worstBinDeg\": ";
    if (std::isnan(low)) {
        out += "null";
    } else {
        out += "[";
        json::appendNumber(out, low);
        out += ", ";
        json::appendNumber(out, high);
        out += "]";
    }
    out += ", \"worstAtBinEnd\": ";
    out += atEnd ? "true" : "false";
}

QByteArray jsonOf(const QString& file, const ComplianceReport& r, const QString& chosen) {
    QByteArray out = "{\"file\": ";
    json::appendString(out, file);
    out += ", \"status\": ";
    json::appendString(out,
                       QString::fromLatin1(r.status == ComplianceReport::Status::Checked ? "checked"
                                           : r.status == ComplianceReport::Status::NoStandard
                                               ? "no standard"
                                               : "not enough data"));
    out += ", \"message\": ";
    json::appendString(out, r.message);
    out += ", \"midFrequencyMHz\": ";
    json::appendNumber(out, r.midFrequency);
    out += ", \"band\": ";
    if (r.status == ComplianceReport::Status::Checked) {
        out += "[";
        json::appendNumber(out, r.bandLowMHz);
        out += ", ";
        json::appendNumber(out, r.bandHighMHz);
        out += "]";
    } else {
        out += "null";
    }
    out += ", \"twoSided\": ";
    out += r.twoSided ? "true" : "false";
    out += ", \"category\": ";
    json::appendString(out, chosen);
    out += ", \"result\": ";
    appendVerdict(out, r.verdictFor(chosen));
    out += ", \"note\": ";
    json::appendString(out, r.note);
    out += ", \"categories\": [";
    for (size_t i = 0; i < r.categories.size(); ++i) {
        const CategoryResult& c = r.categories[i];
        if (i)
            out += ", ";
        out += "{\"category\": ";
        json::appendString(out, c.category);
        out += ", \"result\": ";
        appendVerdict(out, c.verdict);
        out += ", \"decidedBy\": ";
        json::appendString(out, decidedByText(c));
        const GainBeamTest& g = c.gainBeam;
        out += ", \"gainBeamwidth\": {\"result\": ";
        appendVerdict(out, g.verdict);
        out += ", \"gain\": ";
        appendVerdict(out, g.gainVerdict);
        out += ", \"beamwidth\": ";
        appendVerdict(out, g.beamVerdict);
        out += ", \"lowestGainDbi\": ";
        appendOptional(out, g.gain);
        out += ", \"minGainDbi\": ";
        appendOptional(out, g.minGain);
        out += ", \"largestBeamwidthDeg\": ";
        appendOptional(out, g.beamwidth);
        out += ", \"maxBeamwidthDeg\": ";
        appendOptional(out, g.maxBeamwidth);
        out += ", \"text\": ";
        json::appendString(out, gainBeamText(g));
        out += "}, \"suppression\": {\"result\": ";
        appendVerdict(out, c.suppression.verdict);
        out += ", \"worstMarginDb\": ";
        json::appendNumber(out, c.suppression.worstMargin);
        out += ", \"worstAngleDeg\": ";
        json::appendNumber(out, c.suppression.worstAngle);
        appendWorstBin(out, c.suppression.worstBinLow, c.suppression.worstBinHigh,
                       c.suppression.worstAtBinEnd);
        out += ", \"worstCut\": ";
        json::appendString(out, cutName(c.suppression.worstCut));
        out += ", \"cuts\": [";
        for (size_t k = 0; k < c.suppression.cuts.size(); ++k) {
            const CutSuppression& cs = c.suppression.cuts[k];
            if (k)
                out += ", ";
            out += "{\"cut\": ";
            json::appendString(out, cutName(cs.cut));
            out += ", \"information\": ";
            out += cs.decides ? "false" : "true";
            out += ", \"result\": ";
            appendVerdict(out, cs.verdict);
            out += ", \"worstMarginDb\": ";
            json::appendNumber(out, cs.worstMargin);
            out += ", \"worstAngleDeg\": ";
            json::appendNumber(out, cs.worstAngle);
            appendWorstBin(out, cs.worstBinLow, cs.worstBinHigh, cs.worstAtBinEnd);
            out += ", \"notCovered\": ";
            json::appendString(out, cs.uncovered);
            out += "}";
        }
        out += "]}}";
    }
    out += "], \"groups\": [";
    for (size_t i = 0; i < r.groups.size(); ++i) {
        const GroupResult& g = r.groups[i];
        if (i)
            out += ", ";
        out += "{\"category\": ";
        json::appendString(out, g.category);
        out += ", \"result\": ";
        appendVerdict(out, g.verdict);
        out += ", \"via\": ";
        json::appendString(out, g.decidedBy >= 0 ? r.categories[size_t(g.decidedBy)].category
                                                 : QString());
        out += "}";
    }
    out += "]}";
    return out;
}

// ---- CSV report ----

QByteArray csvField(const QString& text) {
    QByteArray t = text.toUtf8();
    if (t.contains(',') || t.contains('"') || t.contains('\n') || t.contains('\r')) {
        t.replace("\"", "\"\"");
        return '"' + t + '"';
    }
    return t;
}

QByteArray csvRow(const QStringList& cells) {
    QByteArray out;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        if (i)
            out += ',';
        out += csvField(cells[i]);
    }
    return out + '\n';
}

const QStringList ReportHeading = {QStringLiteral("file"),
                                   QStringLiteral("model"),
                                   QStringLiteral("band_mhz"),
                                   QStringLiteral("mid_mhz"),
                                   QStringLiteral("category"),
                                   QStringLiteral("result"),
                                   QStringLiteral("decided_by"),
                                   QStringLiteral("gain_beamwidth"),
                                   QStringLiteral("suppression"),
                                   QStringLiteral("worst_margin_db"),
                                   QStringLiteral("worst_angle_deg"),
                                   QStringLiteral("worst_cut"),
                                   QStringLiteral("worst_bin_deg"),
                                   QStringLiteral("cross_polar_information"),
                                   QStringLiteral("note")};

// "5-10", or "end of 5-10" when the worst margin is the limit at that bin's open upper edge.
QString worstBinCell(const SuppressionTest& s) {
    if (std::isnan(s.worstBinLow))
        return {};
    const QString end = binEndText(s);
    return end.isEmpty()
               ? QStringLiteral("%1-%2").arg(angleText(s.worstBinLow), angleText(s.worstBinHigh))
               : end;
}

QByteArray rowsOf(const QString& file, const AntennaHeader& h, const ComplianceReport& r) {
    const QString model = QString::fromLatin1(h.model);
    const QString mid = std::isnan(r.midFrequency) ? QString() : mhz(r.midFrequency);
    if (r.status != ComplianceReport::Status::Checked)
        return csvRow({file, model, {}, mid, {}, r.message, {}, {}, {}, {}, {}, {}, {}, {}, {}});
    QByteArray out;
    const QString band = mhz(r.bandLowMHz) + QLatin1Char('-') + mhz(r.bandHighMHz);
    for (const CategoryResult& c : r.categories)
        out += csvRow({file, model, band, mid, c.category, verdictText(c.verdict), decidedByText(c),
                       gainBeamText(c.gainBeam), verdictText(c.suppression.verdict),
                       marginText(c.suppression.worstMargin), angleText(c.suppression.worstAngle),
                       cutName(c.suppression.worstCut), worstBinCell(c.suppression),
                       informationCutsText(c.suppression), r.note});
    for (const GroupResult& g : r.groups) {
        if (!g.split)
            continue;
        // The whole category: the part that passed, or the nearer miss when none did.
        int shown = g.decidedBy;
        for (int part : g.parts) {
            const double m = r.categories[size_t(part)].suppression.worstMargin;
            if (shown < 0 ||
                (g.decidedBy < 0 && m > r.categories[size_t(shown)].suppression.worstMargin))
                shown = part;
        }
        const CategoryResult& s = r.categories[size_t(shown)];
        out += csvRow({file,
                       model,
                       band,
                       mid,
                       g.category,
                       verdictText(g.verdict),
                       g.decidedBy >= 0 ? QStringLiteral("via ") + s.category
                                        : QStringLiteral("no part passes"),
                       {},
                       {},
                       marginText(s.suppression.worstMargin),
                       angleText(s.suppression.worstAngle),
                       cutName(s.suppression.worstCut),
                       worstBinCell(s.suppression),
                       {},
                       r.note});
    }
    return out;
}

} // namespace

QByteArray ComplianceReportText(const QString& name, const ComplianceReport& report,
                                const QString& category) {
    return textOf(name, report, category);
}

QByteArray ComplianceReportJson(const QString& file, const ComplianceReport& report,
                                const QString& category) {
    return jsonOf(file, report, category);
}

QByteArray CsvLine(const QStringList& cells) {
    return csvRow(cells);
}

QByteArray ComplianceCsvHeading() {
    return csvRow(ReportHeading);
}

QByteArray ComplianceCsvRows(const QString& file, const AntennaHeader& header,
                             const ComplianceReport& report) {
    return rowsOf(file, header, report);
}

CatalogueCheck CheckCatalogue(const QString& folder, const MaskTable& table,
                              const QString& category, const QString& reportPath) {
    CatalogueCheck check;
    if (!QFileInfo(folder).isDir()) {
        check.error = QStringLiteral("%1: no such folder").arg(folder);
        return check;
    }
    const QList<QByteArray> names = DataFileNames(folder);
    if (names.isEmpty()) {
        check.error = QString::fromLatin1(NoDataFilesMessage);
        return check;
    }
    const QString cannotWrite = QStringLiteral("Cannot create file %1").arg(reportPath);
    QSaveFile out(reportPath);
    if (!out.open(QIODevice::WriteOnly)) {
        check.error = cannotWrite;
        return check;
    }
    out.write(ComplianceCsvHeading());
    QByteArray dir = QFile::encodeName(folder);
    if (!dir.endsWith('/'))
        dir += '/';
    for (const QByteArray& name : names) {
        const QString display = QFile::decodeName(name);
        const AntennaFileOrError a = AntennaFile::open(QFile::decodeName(dir + name));
        if (!a.file) {
            check.skipped << display + QStringLiteral(": ") + a.error;
            continue;
        }
        const ComplianceReport r = CheckCompliance(table, a.file->header, a.file->pattern);
        out.write(ComplianceCsvRows(display, a.file->header, r));
        switch (r.verdictFor(category)) {
        case Verdict::Pass:
            ++check.pass;
            break;
        case Verdict::Fail:
            ++check.fail;
            break;
        default:
            ++check.other;
        }
    }
    if (!out.flush() || !out.commit())
        return CatalogueCheck{cannotWrite, 0, 0, 0, {}};
    return check;
}

QByteArray CatalogueCheckSummary(const CatalogueCheck& check, const QString& tableTitle,
                                 const QString& category, const QString& reportPath) {
    QString text = QStringLiteral("%1 files checked against %2 Category %3: %4 pass, %5 fail, %6 "
                                  "without a standard or enough data, %7 skipped; report in %8\n")
                       .arg(check.pass + check.fail + check.other)
                       .arg(tableTitle, category)
                       .arg(check.pass)
                       .arg(check.fail)
                       .arg(check.other)
                       .arg(check.skipped.size())
                       .arg(QFileInfo(reportPath).absoluteFilePath());
    for (const QString& s : check.skipped)
        text += QStringLiteral("skipped %1\n").arg(s);
    return text.toUtf8();
}
