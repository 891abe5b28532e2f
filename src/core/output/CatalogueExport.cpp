// SPDX-License-Identifier: MIT
#include "output/CatalogueExport.h"

#include "adf/PatternReader.h"
#include "base/Prompter.h"
#include "base/Resources.h"
#include "base/SaveFile.h"
#include "catalogue/IndexRefresh.h"
#include "output/OutputNames.h"
#include "output/PageWriter.h"
#include "output/PdfExport.h"
#include "output/PngEncoding.h"
#include "pages/PageRoutines.h"

#include <QtCore/QBuffer>
#include <QtCore/QDir>
#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QHash>
#include <QtCore/QSet>
#include <QtCore/QThread>
#include <QtGui/QImage>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace catalogue {

namespace {

struct FormatEntry {
    Format format;
    const char* name;
    const char* extension;
};

constexpr FormatEntry Formats[] = {
    {Format::Png, "png", "png"},
    {Format::Jpg, "jpg", "jpg"},
    {Format::Gif, "gif", "gif"},
    {Format::Pdf, "pdf", "pdf"},
    {Format::VectorPdf, "vector-pdf", "pdf"},
    {Format::Svg, "svg", "svg"},
    {Format::Txt, "txt", "txt"},
};

const FormatEntry& entry(Format format) {
    for (const FormatEntry& e : Formats)
        if (e.format == format)
            return e;
    return Formats[0];
}

// The name without its last extension: "ZZX10-60L.adf" gives "ZZX10-60L".
QString stem(const QString& fileName) {
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.left(dot) : fileName;
}

// "1 file", "2 files".
QString counted(int n, const char* one, const char* many = nullptr) {
    return QString::number(n) + QLatin1Char(' ') +
           (n == 1 ? QString::fromLatin1(one)
            : many ? QString::fromLatin1(many)
                   : QString::fromLatin1(one) + QLatin1Char('s'));
}

QString oneLine(QString text) {
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    return text.trimmed();
}

struct Outcome {
    bool started = false;
    QStringList written;
    QString error;
};

OutputFormat outputFormat(Format format) {
    switch (format) {
    case Format::Png:
        return OutputFormat::Png;
    case Format::Jpg:
        return OutputFormat::Jpg;
    case Format::Gif:
        return OutputFormat::Gif;
    case Format::Pdf:
        return OutputFormat::HtmldocPdf;
    case Format::VectorPdf:
        return OutputFormat::VectorPdf;
    case Format::Svg:
        return OutputFormat::Svg;
    case Format::Txt:
        break;
    }
    return OutputFormat::Txt;
}

Outcome exportItem(const Item& item, const Options& options, const QString& outputDir) {
    Outcome out;
    out.started = true;
    if (!item.headerError.isEmpty()) {
        out.error = item.headerError;
        return out;
    }
    const auto target = [&](const QString& name) { return outputDir + QLatin1Char('/') + name; };
    PageOptions page;
    page.color = options.color;
    page.commonFilesDir = options.commonFilesDir;
    page.dataSheetPictures = true;
    const OutputFormat format = outputFormat(options.format);
    if (options.format == Format::Txt) {
        // The copy needs no more of the file than its place.
        AntennaFile source;
        source.path = item.path;
        if (const auto error =
                PageWriter::writePage(PageKind::Data, format, source, page, target(item.dataFile)))
            out.error = *error;
        else
            out.written << item.dataFile;
        return out;
    }
    const AntennaFileOrError opened = AntennaFile::open(item.path);
    if (!opened.file) {
        out.error = opened.error;
        return out;
    }
    QStringList errors;
    for (const PageKind kind : {PageKind::Chart, PageKind::Data}) {
        const QString& name = kind == PageKind::Chart ? item.chartFile : item.dataFile;
        if (name.isEmpty())
            continue;
        if (const auto error =
                PageWriter::writePage(kind, format, *opened.file, page, target(name)))
            errors << oneLine(*error);
        else
            out.written << name;
    }
    out.error = errors.join(QStringLiteral("; "));
    return out;
}

// Draws one sample of every page the format makes, on the calling thread.
void drawSamples(Format format) {
    IndexRecord record;
    LoadedPattern oneSided;
    LoadedPattern twoSided;
    twoSided.feedKind = FeedKind::Right;
    if (format == Format::VectorPdf || format == Format::Svg) {
        const VectorFormat vector =
            format == Format::VectorPdf ? VectorFormat::Pdf : VectorFormat::Svg;
        for (const ExportPage page : {ExportPage::Chart, ExportPage::Data}) {
            QBuffer sink;
            sink.open(QIODevice::WriteOnly);
            RenderVectorPage(sink, vector, page, record, twoSided, true);
        }
        return;
    }
    PageMapper pageMap;
    for (const LoadedPattern* pattern : {&oneSided, &twoSided}) {
        const PageSource source{pageMap, record, *pattern, true, ImagePenFactor};
        QImage image;
        DrawGraphPage(source, image);
    }
    const PageSource source{pageMap, record, oneSided, false, ImagePenFactor};
    QImage sheet;
    DrawDataPage(source, sheet);
    if (format == Format::Png)
        png::EncodePage(sheet);
}

std::mutex PreparedMutex;
QSet<int> PreparedFormats;

} // namespace

std::optional<Format> FormatFromName(const QString& name) {
    for (const FormatEntry& e : Formats)
        if (name.compare(QLatin1String(e.name), Qt::CaseInsensitive) == 0)
            return e.format;
    return std::nullopt;
}

QString FormatName(Format format) {
    return QString::fromLatin1(entry(format).name);
}

std::optional<Pages> PagesFromName(const QString& name) {
    if (name == QStringLiteral("chart"))
        return Pages::Chart;
    if (name == QStringLiteral("data"))
        return Pages::Data;
    if (name == QStringLiteral("both"))
        return Pages::Both;
    return std::nullopt;
}

QString PagesName(Pages pages) {
    switch (pages) {
    case Pages::Chart:
        return QStringLiteral("chart");
    case Pages::Data:
        return QStringLiteral("data");
    case Pages::Both:
        break;
    }
    return QStringLiteral("both");
}

QString FormatExtension(Format format) {
    return QString::fromLatin1(entry(format).extension);
}

bool DrawsPages(Format format) {
    return format != Format::Txt;
}

QString ChartFileName(const QString& base, Format format) {
    if (!DrawsPages(format))
        return {};
    return base + QLatin1Char('.') + FormatExtension(format);
}

QString DataFileName(const QString& base, Format format) {
    if (!DrawsPages(format))
        return base + QStringLiteral(".txt");
    return base + QStringLiteral("dat.") + FormatExtension(format);
}

Plan PlanCatalogueExport(const Options& options) {
    Plan plan;
    plan.outputDir = options.outputDir;
    if (!QFileInfo(options.catalogueDir).isDir()) {
        plan.error = QStringLiteral("%1: no such folder").arg(options.catalogueDir);
        return plan;
    }
    const QList<QByteArray> names = DataFileNames(options.catalogueDir);
    if (names.isEmpty()) {
        plan.error = QString::fromLatin1(NoDataFilesMessage);
        return plan;
    }
    const QString dir = QDir(options.catalogueDir).path() + QLatin1Char('/');
    const bool chart = DrawsPages(options.format) && options.pages != Pages::Data;
    const bool data = !DrawsPages(options.format) || options.pages != Pages::Chart;

    // Every name handed out so far, letter case folded (the output may go to a case-blind disk),
    // with the data file that holds it.
    QHash<QString, QString> holders;
    plan.items.reserve(names.size());
    for (const QByteArray& name : names) {
        Item item;
        item.fileName = QFile::decodeName(name);
        item.path = dir + item.fileName;
        if (const auto error = BuildRecordFromFile(item.path, item.record)) {
            item.headerError = *error;
            plan.items.push_back(item);
            continue;
        }
        const QString rpe = output::FileNameRpe(item.record.rpeNumber());
        const auto namesOf = [&](const QString& base) {
            QStringList out;
            if (chart)
                out << ChartFileName(base, options.format);
            if (data)
                out << DataFileName(base, options.format);
            return out;
        };
        const auto holder = [&](const QString& base) -> QString {
            for (const QString& n : namesOf(base))
                if (const auto it = holders.constFind(n.toCaseFolded()); it != holders.constEnd())
                    return *it;
            return {};
        };
        QString base = rpe;
        item.suffixedAfter = holder(base);
        if (!item.suffixedAfter.isEmpty()) {
            base = rpe + QLatin1Char('_') + stem(item.fileName);
            // Only a name like another suffixed one (an "A.adf" beside an "A.ADF") needs more.
            for (int n = 2; !holder(base).isEmpty(); ++n)
                base = rpe + QLatin1Char('_') + stem(item.fileName) + QLatin1Char('_') +
                       QString::number(n);
        }
        if (chart)
            item.chartFile = ChartFileName(base, options.format);
        if (data)
            item.dataFile = DataFileName(base, options.format);
        for (const QString& n : namesOf(base))
            holders.insert(n.toCaseFolded(), item.fileName);
        plan.items.push_back(item);
    }
    return plan;
}

int WorkerCount(int requested, int files) {
    int n = requested > 0 ? requested : QThread::idealThreadCount();
    return std::max(1, std::min(n, files));
}

void PrepareDrawing(Format format) {
    const std::lock_guard lock(PreparedMutex);
    if (PreparedFormats.contains(static_cast<int>(format)))
        return;
    // The pictures: the logos are decoded here, once for the run, which also loads the image
    // decoders; the feed pictures are found once.
    for (const char* gif : {"GIFFlASH", "GIFCOLORFlASH"})
        LoadResourceGifPicture(QString::fromLatin1(gif));
    for (const char* bitmap : {"RIGHTFEED", "LEFTFEED", "UHP-RIGHT", "UHP-LEFT"})
        LoadResourceBitmap(QString::fromLatin1(bitmap));
    // The fonts of the pages and the writer of the format.
    drawSamples(format);
    PreparedFormats.insert(static_cast<int>(format));
}

Report RunCatalogueExport(const Options& options, const Plan& plan,
                          const ProgressCallback& progress, const std::atomic<bool>* stop) {
    Report report;
    report.total = static_cast<int>(plan.items.size());
    if (!plan.error.isEmpty()) {
        report.error = plan.error;
        return report;
    }
    const QString outputDir = QDir(plan.outputDir).path();
    if (!QDir().mkpath(outputDir) || !QFileInfo(outputDir).isDir()) {
        report.error = QStringLiteral("Cannot create folder %1").arg(outputDir);
        return report;
    }
    PrepareDrawing(options.format);

    const int total = report.total;
    report.threads = WorkerCount(options.threads, total);
    std::vector<Outcome> outcomes(static_cast<std::size_t>(total));
    std::atomic<int> next{0};
    std::mutex progressMutex;
    int done = 0;
    QElapsedTimer clock;
    clock.start();

    const auto work = [&] {
        for (;;) {
            if (stop && stop->load())
                return;
            const int i = next.fetch_add(1);
            if (i >= total)
                return;
            const Item& item = plan.items[i];
            Outcome& out = outcomes[static_cast<std::size_t>(i)];
            try {
                out = exportItem(item, options, outputDir);
            } catch (const std::exception& e) {
                out.started = true;
                out.error =
                    QStringLiteral("drawing failed: %1").arg(QString::fromLocal8Bit(e.what()));
            }
            const std::lock_guard lock(progressMutex);
            ++done;
            if (progress)
                progress(Progress{done, total, item.fileName, !out.error.isEmpty(),
                                  static_cast<double>(clock.nsecsElapsed()) / 1e9});
        }
    };
    std::vector<std::thread> workers;
    workers.reserve(static_cast<std::size_t>(report.threads));
    for (int t = 0; t < report.threads; ++t)
        workers.emplace_back(work);
    for (std::thread& w : workers)
        w.join();
    report.seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;

    for (int i = 0; i < total; ++i) {
        const Item& item = plan.items[i];
        const Outcome& out = outcomes[static_cast<std::size_t>(i)];
        if (!out.started) {
            report.stopped = true;
            continue;
        }
        report.written << out.written;
        report.filesWritten += static_cast<int>(out.written.size());
        if (!out.error.isEmpty())
            report.failures << item.fileName + QStringLiteral(": ") + out.error;
        else
            ++report.exported;
        if (!item.suffixedAfter.isEmpty() && !out.written.isEmpty())
            report.suffixed << QStringLiteral("%1: written as %2 (RPE number %3, as %4)")
                                   .arg(item.fileName, out.written.join(QStringLiteral(", ")),
                                        output::FileNameRpe(item.record.rpeNumber()),
                                        item.suffixedAfter);
    }
    return report;
}

QStringList Report::summary(const Options& options, bool withFailures) const {
    QStringList lines;
    if (!error.isEmpty()) {
        lines << error;
        return lines;
    }
    const double rate = seconds > 0 ? (exported + failed()) / seconds : 0;
    lines << QStringLiteral("%1 of %2 exported to %3 (%4, %5): %6 in %7 s, %8 antennas/s on %9")
                 .arg(exported)
                 .arg(counted(total, "antenna"), QDir::toNativeSeparators(options.outputDir),
                      FormatName(options.format),
                      DrawsPages(options.format) ? PagesName(options.pages)
                                                 : QStringLiteral("text copy"),
                      counted(filesWritten, "file"))
                 .arg(seconds, 0, 'f', 1)
                 .arg(rate, 0, 'f', 1)
                 .arg(counted(threads, "thread"));
    if (stopped)
        lines << QStringLiteral("Stopped: %1 not exported")
                     .arg(counted(notStarted(), "antenna was", "antennas were"));
    if (!suffixed.isEmpty()) {
        lines << QStringLiteral("%1 with an RPE number used before, written with the data file "
                                "name as suffix:")
                     .arg(suffixed.size());
        for (const QString& s : suffixed)
            lines << QStringLiteral("  ") + s;
    }
    if (!failures.isEmpty()) {
        lines << QStringLiteral("%1 failed").arg(failures.size()) +
                     (withFailures ? QStringLiteral(":") : QString());
        if (!withFailures)
            return lines;
        for (const QString& f : failures)
            lines << QStringLiteral("  ") + f;
    }
    return lines;
}

} // namespace catalogue
