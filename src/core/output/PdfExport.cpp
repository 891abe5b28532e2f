// SPDX-License-Identifier: MIT
#include "output/PdfExport.h"

#include "base/PdfCheck.h"
#include "base/Prompter.h"
#include "base/SaveFile.h"
#include "output/GifImage.h"
#include "output/OutputNames.h"
#include "output/PdfRunFolder.h"

#include <QtCore/QDir>
#include <QtCore/QEventLoop>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QTemporaryFile>
#include <QtCore/QTimer>
#include <sys/stat.h>

struct PdfRunAccess {
    static void setLoop(PdfRunControl* control, QEventLoop* loop) {
        if (control)
            control->loop_ = loop;
    }
};

void PdfRunControl::cancel() {
    cancelled_ = true;
    if (loop_)
        loop_->quit();
}

namespace {

const char UnableToCreatePdf[] = "Unable to create PDF file.";
const char ConverterTooSlow[] = "The PDF converter did not finish within 60 s";
const char UnableToCreateHtml[] = "Unable to create HTML file for PDF";

QString suffix(PdfVariant variant) {
    return variant == PdfVariant::Data ? QStringLiteral("dat") : QString();
}

// Writes `bytes` to a new file at `path`: through a temporary in the same folder that is renamed
// to `path` only when complete, and never over an existing file or link.
bool writeByRename(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    QTemporaryFile temp(info.absolutePath() + QStringLiteral("/.lobeview-XXXXXX.part"));
    if (!temp.open())
        return false;
    if (temp.write(bytes) != bytes.size() || !temp.flush())
        return false;
    temp.close();
    temp.setAutoRemove(false);
    const QString tempName = temp.fileName();
    if (QFileInfo::exists(path) || QFileInfo(path).isSymLink() || !QFile::rename(tempName, path)) {
        QFile::remove(tempName);
        return false;
    }
    return true;
}

bool isFileOrLink(const QString& path) {
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

void removeFile(const QString& path) {
    if (isFileOrLink(path))
        QFile::remove(path);
}

QString pdfFailure(const QString& detail) {
    QString text = QString::fromLatin1(UnableToCreatePdf);
    if (!detail.trimmed().isEmpty())
        text += QLatin1Char('\n') + detail.trimmed();
    return text;
}

} // namespace

PdfTemporaries PdfTemporaryPaths(const QString& folder, QByteArrayView rpeNumber,
                                 PdfVariant variant) {
    QString dir = folder;
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    const QString base = dir + output::FileNameRpe(rpeNumber) + suffix(variant);
    return {base + QStringLiteral(".gif"), base + QStringLiteral(".html"),
            base + QStringLiteral(".pdf")};
}

QSize HtmlPictureSize(PdfVariant variant, bool landscape) {
    if (variant == PdfVariant::Data)
        return {700, 800};
    return landscape ? QSize(680, 520) : QSize(650, 850);
}

QString OrientationWord(PdfVariant variant, bool landscape) {
    return variant == PdfVariant::Graph && landscape ? QStringLiteral("landscape")
                                                     : QStringLiteral("portrait");
}

QByteArray HtmlPageBytes(const QString& gifPath, int width, int height) {
    QByteArray src;
    for (const char c : QFile::encodeName(gifPath)) {
        switch (c) {
        case '&':
            src += "&amp;";
            break;
        case '"':
            src += "&quot;";
            break;
        case '<':
            src += "&lt;";
            break;
        case '>':
            src += "&gt;";
            break;
        default:
            // The converter decodes %XX in a picture's path; a control character (a newline in a
            // folder's name) would otherwise end the attribute.
            if (c == '%' || static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
                src += '%' + QByteArray::number(static_cast<unsigned char>(c), 16)
                                 .rightJustified(2, '0')
                                 .toUpper();
            else
                src += c;
        }
    }
    QByteArray page;
    page += "<html>\r\n";
    page += "<head>\r\n";
    page += "  <title>Untitled</title>\r\n";
    page += "</head>\r\n";
    page += "\r\n";
    page += "\r\n";
    page += "<body bgcolor=\"white\">\r\n";
    page += "<center>\r\n";
    page += "<img src=\"" + src + "\" width=" + QByteArray::number(width) +
            " height=" + QByteArray::number(height) + " border=0 alt=\"image\">\r\n";
    page += "</center>\r\n";
    page += "</body>\r\n";
    page += "</html>\r\n";
    return page;
}

std::optional<QString> WriteHtmlPage(const QString& htmlPath, const QString& gifPath, int width,
                                     int height) {
    if (!writeByRename(htmlPath, HtmlPageBytes(gifPath, width, height)))
        return QString::fromLatin1(UnableToCreateHtml);
    return std::nullopt;
}

QString ConverterArgumentString(const QString& orientation, const PdfTemporaries& temporaries,
                                PdfVariant variant) {
    const QChar q = QLatin1Char('"');
    return ConverterArguments(orientation, temporaries, variant).mid(0, 13).join(QLatin1Char(' ')) +
           QLatin1Char(' ') + q + temporaries.pdf + q + QLatin1Char(' ') + q + temporaries.html + q;
}

QStringList ConverterArguments(const QString& orientation, const PdfTemporaries& temporaries,
                               PdfVariant variant) {
    // Only the chart with the word exactly "portrait" is portrait; the data sheet always is.
    const bool portrait = variant == PdfVariant::Data || orientation == QStringLiteral("portrait");
    return {QStringLiteral("--webpage"),
            portrait ? QStringLiteral("--portrait") : QStringLiteral("--landscape"),
            QStringLiteral("--right"),
            QStringLiteral("0.00in"),
            QStringLiteral("--top"),
            QStringLiteral("0.00in"),
            QStringLiteral("--bottom"),
            QStringLiteral("0.00in"),
            QStringLiteral("--header"),
            QStringLiteral("..."),
            QStringLiteral("--footer"),
            QStringLiteral("..."),
            QStringLiteral("-f"),
            temporaries.pdf,
            temporaries.html};
}

QString ConverterProgram(const QString& commonFilesDir) {
    QString dir = commonFilesDir;
    if (!dir.isEmpty() && !dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    const QFileInfo own(dir + QStringLiteral("htmldoc"));
    if (!dir.isEmpty() && own.isFile() && own.isExecutable())
        return own.absoluteFilePath();
    return QStandardPaths::findExecutable(QStringLiteral("htmldoc"));
}

bool SameFile(const QString& a, const QString& b) {
    struct stat sa;
    struct stat sb;
    if (::stat(QFile::encodeName(a).constData(), &sa) == 0 &&
        ::stat(QFile::encodeName(b).constData(), &sb) == 0)
        return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
    const auto canonical = [](const QString& path) {
        const QFileInfo info(path);
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        return folder.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                                : QDir(folder).filePath(info.fileName());
    };
    return canonical(a) == canonical(b);
}

bool FileRename(const QString& sourcePath, const QString& targetPath, Prompter& prompter) {
    const QString source = sourcePath.trimmed();
    const QString target = targetPath.trimmed();
    const QString shownSource = QDir::toNativeSeparators(source);
    const QString shownTarget = QDir::toNativeSeparators(target);
    if (SameFile(source, target)) {
        if (QFileInfo(target).isFile()) {
            prompter.message(shownTarget + QStringLiteral(" successfully created."));
            return true;
        }
        prompter.message(QStringLiteral("Creating ") + shownTarget + QStringLiteral(" failed"));
        return false;
    }
    QFile in(source);
    bool copied = QFileInfo(source).isFile() && in.open(QIODevice::ReadOnly);
    if (copied) {
        const QByteArray bytes = in.readAll();
        copied =
            in.error() == QFileDevice::NoError && IsCompletePdf(bytes) && !saveWhole(target, bytes);
        in.close();
    }
    if (!copied) {
        prompter.message(QStringLiteral("Renaming ") + shownSource + QStringLiteral(" to ") +
                         shownTarget + QStringLiteral(" Failed"));
        return false;
    }
    QFile::remove(source);
    prompter.message(shownTarget + QStringLiteral(" successfully created."));
    return true;
}

std::optional<QString> ConvertToPdf(const QString& orientation, const QString& basePath,
                                    const PdfTemporaries& temps, PdfRunFolder& run,
                                    const PdfOptions& options, Prompter& prompter,
                                    PdfRunControl* control) {
    const QString target = basePath + QStringLiteral(".pdf");
    const auto removeInputs = [&] {
        removeFile(temps.gif);
        removeFile(temps.html);
    };

    // The converter's old output must not pass for a new one.
    removeFile(temps.pdf);
    if (!QFileInfo(temps.gif).isFile()) {
        removeInputs();
        prompter.error(pdfFailure(
            QStringLiteral("The picture %1 is missing.").arg(QDir::toNativeSeparators(temps.gif))));
        return std::nullopt;
    }
    const QString program = ConverterProgram(options.commonFilesDir);
    if (program.isEmpty()) {
        removeInputs();
        prompter.error(pdfFailure(QStringLiteral("The PDF converter htmldoc was not found.")));
        return std::nullopt;
    }

    // An empty private home, so that no ~/.htmldocrc changes the page size or margins.
    const QString home = run.path() + QStringLiteral("home");
    QDir().mkdir(home);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    QProcess converter;
    converter.setProcessEnvironment(environment);
    converter.setStandardOutputFile(QProcess::nullDevice());
    converter.setProgram(program);
    converter.setArguments(ConverterArguments(orientation, temps, options.variant));

    bool ended = false;
    QEventLoop loop;
    QObject::connect(&converter, &QProcess::finished, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QObject::connect(&converter, &QProcess::errorOccurred, &loop, [&](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart || e == QProcess::Crashed) {
            ended = true;
            loop.quit();
        }
    });
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);

    converter.start();
    const bool started = converter.waitForStarted(30000);
    if (started)
        run.trackConverter(converter.processId());
    if (started && control && control->onConverterStarted)
        control->onConverterStarted();
    bool timedOut = false;
    if (started && converter.state() != QProcess::NotRunning && !ended &&
        !(control && control->isCancelled())) {
        PdfRunAccess::setLoop(control, &loop);
        limit.start(options.converterLimitMs);
        // Window contents are still painted; input (and closing) waits until the converter ends.
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        PdfRunAccess::setLoop(control, nullptr);
        timedOut = !ended && !(control && control->isCancelled());
    }
    if (converter.state() != QProcess::NotRunning) {
        converter.kill();
        converter.waitForFinished(10000);
    }
    run.trackConverter(0);
    if (started && control && control->onConverterEnded)
        control->onConverterEnded();
    removeInputs();

    const bool cancelled = control && control->isCancelled();
    const bool succeeded = !cancelled && !timedOut && started &&
                           converter.exitStatus() == QProcess::NormalExit &&
                           converter.exitCode() == 0 && IsCompletePdfFile(temps.pdf);
    if (!succeeded) {
        const bool leftAFile = QFileInfo(temps.pdf).isFile();
        removeFile(temps.pdf);
        if (cancelled)
            return std::nullopt;
        QString detail;
        if (timedOut)
            detail = QString::fromLatin1(ConverterTooSlow);
        else if (!started)
            detail = converter.errorString();
        else
            detail = QString::fromLocal8Bit(converter.readAllStandardError()).left(4000);
        if (detail.trimmed().isEmpty() && leftAFile)
            detail = QStringLiteral("The converter's output is not a complete PDF.");
        prompter.error(pdfFailure(detail));
        return std::nullopt;
    }
    const bool handedOver = FileRename(temps.pdf, target, prompter);
    if (!handedOver || !SameFile(temps.pdf, target))
        removeFile(temps.pdf);
    if (!handedOver)
        return std::nullopt;
    return target;
}

std::optional<QString> MakePdf(QImage page, const PdfOptions& options, Prompter& prompter,
                               PdfRunControl* control) {
    const QString base = output::WithoutExtension(options.confirmedPath);
    PdfRunFolder run;
    if (!run.isValid()) {
        prompter.error(pdfFailure(run.errorString()));
        return std::nullopt;
    }
    const PdfTemporaries temps = PdfTemporaryPaths(run.path(), options.rpeNumber, options.variant);
    run.track(temps.gif, temps.html, temps.pdf, run.path() + QStringLiteral("home"));

    // The picture and its encoding are let go before the converter starts, so that the
    // process started for it does not carry tens of megabytes of pages it never uses.
    bool written = false;
    {
        GifImage gif;
        gif.Assign(page);
        gif.EncodeInTwo = true;
        page = QImage();
        QByteArray gifBytes;
        written = !gif.SaveToBuffer(gifBytes) && writeByRename(temps.gif, gifBytes);
    }
    if (!written) {
        prompter.error(cannotCreateMessage(temps.gif));
        return std::nullopt;
    }
    const QSize size = HtmlPictureSize(options.variant, options.landscape);
    if (const auto error = WriteHtmlPage(temps.html, temps.gif, size.width(), size.height())) {
        prompter.error(*error);
        return std::nullopt;
    }
    return ConvertToPdf(OrientationWord(options.variant, options.landscape), base, temps, run,
                        options, prompter, control);
}
