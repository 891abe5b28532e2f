// SPDX-License-Identifier: MIT
#include "print/CupsPrint.h"

#include "base/PdfCheck.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QLocale>
#include <QtCore/QStringList>
#include <QtCore/QTemporaryDir>
#include <QtGui/QPainter>
#include <QtGui/QPdfWriter>
#include <algorithm>
#include <cmath>
#include <cups/cups.h>
#include <memory>

namespace {

QString lastCupsError() {
    const char* text = cupsLastErrorString();
    return text && *text ? QString::fromUtf8(text) : QStringLiteral("unknown printing error");
}

struct DestFree {
    void operator()(cups_dest_t* dest) const { cupsFreeDests(1, dest); }
};
using DestPtr = std::unique_ptr<cups_dest_t, DestFree>;

struct IppFree {
    void operator()(ipp_t* ipp) const { ippDelete(ipp); }
};
using IppPtr = std::unique_ptr<ipp_t, IppFree>;

// One paper of the printer: size and margins in hundredths of a millimetre, as IPP gives them.
struct MediaCol {
    int Width = 0, Length = 0;
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

std::optional<MediaCol> readMediaCol(ipp_t* col) {
    if (!col)
        return std::nullopt;
    MediaCol media;
    ipp_attribute_t* size = ippFindAttribute(col, "media-size", IPP_TAG_BEGIN_COLLECTION);
    ipp_t* sizeCol = size ? ippGetCollection(size, 0) : nullptr;
    if (!sizeCol)
        return std::nullopt;
    ipp_attribute_t* x = ippFindAttribute(sizeCol, "x-dimension", IPP_TAG_INTEGER);
    ipp_attribute_t* y = ippFindAttribute(sizeCol, "y-dimension", IPP_TAG_INTEGER);
    if (!x || !y) // a range of sizes (custom paper), not one sheet
        return std::nullopt;
    media.Width = ippGetInteger(x, 0);
    media.Length = ippGetInteger(y, 0);
    const auto margin = [col](const char* name) {
        ipp_attribute_t* a = ippFindAttribute(col, name, IPP_TAG_INTEGER);
        return a ? std::max(0, ippGetInteger(a, 0)) : 0;
    };
    media.Left = margin("media-left-margin");
    media.Top = margin("media-top-margin");
    media.Right = margin("media-right-margin");
    media.Bottom = margin("media-bottom-margin");
    if (media.Width <= 0 || media.Length <= 0)
        return std::nullopt;
    return media;
}

QMarginsF marginsInPoints(const MediaCol& media) {
    const auto pt = [](int hundredthsMm) { return hundredthsMm * 72.0 / 2540.0; };
    return QMarginsF(pt(media.Left), pt(media.Top), pt(media.Right), pt(media.Bottom));
}

// The paper descriptions the printer reports: its default, and every paper it knows.
struct PrinterMedia {
    QByteArray DefaultName;
    std::optional<MediaCol> Default;
    std::vector<MediaCol> Known;
};

PrinterMedia queryMedia(const cups_dest_t& dest) {
    PrinterMedia result;
    const char* uri = cupsGetOption("printer-uri-supported", dest.num_options, dest.options);
    char assembled[1024];
    if (!uri) {
        httpAssembleURIf(HTTP_URI_CODING_ALL, assembled, sizeof assembled, "ipp", nullptr,
                         "localhost", 0, "/printers/%s", dest.name);
        uri = assembled;
    }
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"media-default", "media-col-default", "media-col-database",
                                         "media-col-ready"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes",
                  int(std::size(wanted)), nullptr, wanted);
    const IppPtr response(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"));
    if (!response || ippGetStatusCode(response.get()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return result;
    if (ipp_attribute_t* a = ippFindAttribute(response.get(), "media-default", IPP_TAG_ZERO))
        if (const char* name = ippGetString(a, 0, nullptr))
            result.DefaultName = name;
    if (ipp_attribute_t* a =
            ippFindAttribute(response.get(), "media-col-default", IPP_TAG_BEGIN_COLLECTION))
        result.Default = readMediaCol(ippGetCollection(a, 0));
    for (const char* list : {"media-col-ready", "media-col-database"}) {
        ipp_attribute_t* a = ippFindAttribute(response.get(), list, IPP_TAG_BEGIN_COLLECTION);
        for (int i = 0, n = a ? ippGetCount(a) : 0; i < n; ++i)
            if (std::optional<MediaCol> media = readMediaCol(ippGetCollection(a, i)))
                result.Known.push_back(*media);
    }
    return result;
}

// Among the printer's papers of this size (within a millimetre), the one with the widest
// margins: printers list a borderless variant beside the ordinary one, and a page laid out for
// the ordinary one prints whole on both.
std::optional<MediaCol> findMedia(const PrinterMedia& media, int width, int length) {
    std::optional<MediaCol> best;
    for (const MediaCol& m : media.Known) {
        if (std::abs(m.Width - width) > 100 || std::abs(m.Length - length) > 100)
            continue;
        const int sum = m.Left + m.Top + m.Right + m.Bottom;
        if (!best || sum > best->Left + best->Top + best->Right + best->Bottom)
            best = m;
    }
    return best;
}

QByteArray pwgName(int width, int length) {
    if (pwg_media_t* pwg = pwgMediaForSize(width, length))
        if (pwg->pwg)
            return QByteArray(pwg->pwg);
    return {};
}

QStringList printerNames() {
    cups_dest_t* dests = nullptr;
    const int count = cupsGetDests2(CUPS_HTTP_DEFAULT, &dests);
    QStringList names;
    for (int i = 0; i < count; ++i)
        if (!names.contains(QString::fromUtf8(dests[i].name)))
            names << QString::fromUtf8(dests[i].name);
    cupsFreeDests(count, dests);
    return names;
}

QPageSize localDefaultPageSize() {
    return QPageSize(QLocale::system().measurementSystem() == QLocale::ImperialUSSystem
                         ? QPageSize::Letter
                         : QPageSize::A4);
}

} // namespace

PrinterLookup FindPrinter(const PrinterSetup& setup) {
    PrinterLookup lookup;
    const QByteArray name = setup.Name.toUtf8();
    const DestPtr dest(
        cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.isEmpty() ? nullptr : name.constData(), nullptr));
    if (!dest) {
        const QStringList names = printerNames();
        if (names.isEmpty())
            lookup.Error = QString::fromLatin1(NoPrinterMessage);
        else if (name.isEmpty())
            lookup.Error = QStringLiteral("No default printer is set; the printers are: %1")
                               .arg(names.join(QStringLiteral(", ")));
        else
            lookup.Error = QStringLiteral("The printer \"%1\" was not found; the printers are: %2")
                               .arg(setup.Name, names.join(QStringLiteral(", ")));
        return lookup;
    }

    PrinterPaper paper;
    paper.Name = QString::fromUtf8(dest->name);
    const PrinterMedia media = queryMedia(*dest);
    if (setup.PageSize && setup.PageSize->isValid()) {
        // The paper chosen in the printer setup dialog, with the printer's margins for it.
        paper.PageSize = *setup.PageSize;
        const QSizeF mm = setup.PageSize->size(QPageSize::Millimeter);
        const int width = int(std::lround(mm.width() * 100));
        const int length = int(std::lround(mm.height() * 100));
        const std::optional<MediaCol> col = findMedia(media, width, length);
        paper.Margins = col ? marginsInPoints(*col)
                            : (media.Default ? marginsInPoints(*media.Default) : QMarginsF());
        paper.Media = pwgName(width, length);
        if (paper.Media.isEmpty())
            paper.Media = setup.PageSize->key().toUtf8();
    } else if (media.Default) {
        // The printer's own default paper; a paper it also lists with wider margins wins, for
        // the reason given at findMedia.
        const MediaCol col =
            findMedia(media, media.Default->Width, media.Default->Length).value_or(*media.Default);
        paper.PageSize = QPageSize(QSizeF(col.Width / 100.0, col.Length / 100.0),
                                   QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
        paper.Margins = marginsInPoints(col);
        paper.Media =
            media.DefaultName.isEmpty() ? pwgName(col.Width, col.Length) : media.DefaultName;
    } else {
        // A printer that says nothing of its paper gets the paper of the user's region.
        paper.PageSize = localDefaultPageSize();
        paper.Media = paper.PageSize.key().toUtf8();
    }
    lookup.Printer = paper;
    return lookup;
}

QPageLayout PrinterPageLayout(const PrinterPaper& paper, QPageLayout::Orientation orientation) {
    QMarginsF margins = paper.Margins;
    if (orientation == QPageLayout::Landscape) {
        const qreal across = std::max(paper.Margins.top(), paper.Margins.bottom());
        const qreal along = std::max(paper.Margins.left(), paper.Margins.right());
        margins = QMarginsF(across, along, across, along);
    }
    return QPageLayout(paper.PageSize, orientation, margins, QPageLayout::Point, QMarginsF());
}

std::optional<QString> RenderPdfPage(const QString& path, const QPageLayout& layout,
                                     const QString& title, const PaintPage& paint) {
    {
        QPdfWriter writer(path);
        writer.setResolution(PrinterDotsPerInch);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Lobeview"));
        if (!writer.setPageLayout(layout))
            return QStringLiteral("the printer's paper and margins leave no printable area");
        QPainter painter;
        if (!painter.begin(&writer))
            return QStringLiteral("the page could not be prepared for printing in %1")
                .arg(QDir::toNativeSeparators(path));
        paint(painter);
        painter.end();
    }
    if (!IsCompletePdfFile(path))
        return QStringLiteral("the page could not be written for printing in %1")
            .arg(QDir::toNativeSeparators(path));
    return std::nullopt;
}

PrintJobResult SubmitPdf(const QString& printer, const QString& title, const QString& path,
                         const JobOptions& options) {
    PrintJobResult result;
    QFile pdf(path);
    if (!pdf.open(QIODevice::ReadOnly)) {
        result.Error = QStringLiteral("the page could not be read back from %1: %2")
                           .arg(QDir::toNativeSeparators(path), pdf.errorString());
        return result;
    }
    const QByteArray name = printer.toUtf8();
    const QByteArray jobTitle = title.toUtf8();
    cups_option_t* cupsOptions = nullptr;
    int optionCount = 0;
    for (const auto& [key, value] : options)
        optionCount = cupsAddOption(key.constData(), value.constData(), optionCount, &cupsOptions);

    const int job = cupsCreateJob(CUPS_HTTP_DEFAULT, name.constData(), jobTitle.constData(),
                                  optionCount, cupsOptions);
    cupsFreeOptions(optionCount, cupsOptions);
    if (job <= 0) {
        result.Error = lastCupsError();
        return result;
    }

    const auto fail = [&](const QString& error) {
        result.Error = error;
        cupsCancelJob2(CUPS_HTTP_DEFAULT, name.constData(), job, 0);
        return result;
    };
    http_status_t status = cupsStartDocument(CUPS_HTTP_DEFAULT, name.constData(), job,
                                             jobTitle.constData(), CUPS_FORMAT_PDF, 1);
    if (status != HTTP_STATUS_CONTINUE)
        return fail(lastCupsError());
    QByteArray chunk;
    while (!(chunk = pdf.read(64 * 1024)).isEmpty()) {
        status = cupsWriteRequestData(CUPS_HTTP_DEFAULT, chunk.constData(), size_t(chunk.size()));
        if (status != HTTP_STATUS_CONTINUE)
            return fail(lastCupsError());
    }
    if (cupsFinishDocument(CUPS_HTTP_DEFAULT, name.constData()) > IPP_STATUS_OK_EVENTS_COMPLETE)
        return fail(lastCupsError());
    result.JobId = job;
    return result;
}

CupsBackend::CupsBackend(PrinterSetup setup, QString tempDir)
    : setup_(std::move(setup)), tempDir_(tempDir.isEmpty() ? QDir::tempPath() : tempDir) {}

std::optional<QString> CupsBackend::prepare() {
    PrinterLookup lookup = FindPrinter(setup_);
    paper_ = lookup.Printer;
    if (!paper_)
        return lookup.Error;
    return std::nullopt;
}

QString CupsBackend::printerName() const {
    return paper_ ? paper_->Name : QString();
}

PrintJobResult CupsBackend::print(const PrintDocument& document) {
    if (!paper_) {
        if (std::optional<QString> reason = prepare())
            return {0, *reason};
    }
    QTemporaryDir folder(QDir(tempDir_).filePath(QStringLiteral("lobeview-print-XXXXXX")));
    if (!folder.isValid())
        return {0, QStringLiteral("no temporary folder for the page in %1: %2")
                       .arg(QDir::toNativeSeparators(tempDir_), folder.errorString())};
    const QString pdf = folder.filePath(QStringLiteral("page.pdf"));
    const QPageLayout layout = PrinterPageLayout(*paper_, document.Orientation);
    if (std::optional<QString> error = RenderPdfPage(pdf, layout, document.Title, document.Paint))
        return {0, *error};
    JobOptions options = setup_.Options;
    if (!paper_->Media.isEmpty())
        options.emplace_back("media", paper_->Media);
    return SubmitPdf(paper_->Name, document.Title, pdf, options);
}
