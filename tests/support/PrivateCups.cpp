// SPDX-License-Identifier: MIT
#include "PrivateCups.h"

#include <QtCore/QDeadlineTimer>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QThread>
#include <cups/cups.h>
#include <sys/stat.h>
#include <unistd.h>

namespace testutils {

namespace {

const char CupsPdfConf[] = "/etc/cups/cups-pdf.conf";
const char CupsPdfBackend[] = "/usr/lib/cups/backend/cups-pdf";

QString findTool(const QString& name) {
    const QString inPath = QStandardPaths::findExecutable(name);
    if (!inPath.isEmpty())
        return inPath;
    return QStandardPaths::findExecutable(
        name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin"), QStringLiteral("/usr/bin")});
}

bool writeText(const QString& path, const QString& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text.toUtf8()) == text.toUtf8().size();
}

QString tail(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray all = file.readAll();
    return QString::fromLocal8Bit(all.right(1500)).trimmed();
}

// Whether something listens on the scheduler's socket.
bool schedulerAnswers(const QString& socket) {
    const QByteArray path = QFile::encodeName(socket);
    http_t* http = httpConnect2(path.constData(), 0, nullptr, AF_LOCAL, HTTP_ENCRYPTION_NEVER, 1,
                                500, nullptr);
    if (!http)
        return false;
    httpClose(http);
    return true;
}

} // namespace

PrivateCups::PrivateCups() {
    savedServer_ = qgetenv("CUPS_SERVER");
    savedServerRoot_ = qgetenv("CUPS_SERVERROOT");
    savedHome_ = qgetenv("HOME");
    savedPrinter_ = qgetenv("PRINTER");
    savedLpdest_ = qgetenv("LPDEST");
    running_ = start();
    if (!running_ && cupsd_ && cupsd_->state() != QProcess::NotRunning) {
        cupsd_->kill();
        cupsd_->waitForFinished(5000);
    }
}

PrivateCups::~PrivateCups() {
    // LOBEVIEW_KEEP_PRINTS=DIR keeps what was printed, to look at: the documents handed to the
    // scheduler (spool-d<job>-001.pdf) and what cups-pdf made of them.
    if (const QString keep = qEnvironmentVariable("LOBEVIEW_KEEP_PRINTS");
        running_ && !keep.isEmpty()) {
        QDir().mkpath(keep);
        for (const QString& pdf : outputPdfs())
            QFile::copy(
                pdf, QDir(keep).filePath(QStringLiteral("cups-pdf-") + QFileInfo(pdf).fileName()));
        const QStringList spooled =
            QDir(spoolDir()).entryList({QStringLiteral("d*-001")}, QDir::Files);
        for (const QString& name : spooled)
            QFile::copy(QDir(spoolDir()).filePath(name),
                        QDir(keep).filePath(QStringLiteral("spool-%1.pdf").arg(name)));
    }
    if (cupsd_ && cupsd_->state() != QProcess::NotRunning) {
        cupsd_->terminate();
        if (!cupsd_->waitForFinished(15000)) {
            cupsd_->kill();
            cupsd_->waitForFinished(5000);
        }
    }
    const auto restore = [](const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    };
    restore("CUPS_SERVER", savedServer_);
    restore("CUPS_SERVERROOT", savedServerRoot_);
    restore("HOME", savedHome_);
    restore("PRINTER", savedPrinter_);
    restore("LPDEST", savedLpdest_);
    cupsSetServer(nullptr);
}

bool PrivateCups::fail(const QString& reason) {
    skipReason_ = reason;
    return false;
}

QString PrivateCups::cupsPdfPpd() {
    for (const char* path :
         {"/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd", "/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"})
        if (QFileInfo::exists(QString::fromLatin1(path)))
            return QString::fromLatin1(path);
    return {};
}

QString PrivateCups::writeConfig() {
    const QString r = dir_.path();
    for (const char* sub : {"conf", "out", "log", "pdfspool", "home", "tmp"})
        if (!QDir().mkpath(r + QLatin1Char('/') + QLatin1String(sub)))
            return QStringLiteral("cannot create the folder %1/%2").arg(r, QLatin1String(sub));
    // cupsd needs its temporary folder to exist; the filters, running as lp, write there.
    if (::chmod(QFile::encodeName(r + QStringLiteral("/tmp")).constData(), 01777) != 0)
        return QStringLiteral("cannot open %1/tmp to the filters").arg(r);
    const QString cupsd =
        QStringLiteral("Listen %1\n"
                       "Browsing No\n"
                       "BrowseLocalProtocols none\n"
                       "WebInterface No\n"
                       "DefaultShared No\n"
                       "LogLevel debug\n"
                       "ErrorPolicy abort-job\n"
                       "PreserveJobFiles Yes\n"
                       "PreserveJobHistory Yes\n"
                       "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                       "<Policy default>\n  <Limit All>\n    Order deny,allow\n"
                       "  </Limit>\n</Policy>\n")
            .arg(socketPath());
    const QString files = QStringLiteral("ServerRoot %1/conf\n"
                                         "RequestRoot %1/spool\n"
                                         "TempDir %1/tmp\n"
                                         "CacheDir %1/cache\n"
                                         "StateDir %1/state\n"
                                         "ErrorLog %1/log/error_log\n"
                                         "AccessLog %1/log/access_log\n"
                                         "PageLog %1/log/page_log\n"
                                         "Printcap %1/printcap\n")
                              .arg(r);
    // Label 2: every file name carries its job id, so no document overwrites another.
    const QString pdf = QStringLiteral("Out %1/out\n"
                                       "AnonDirName %1/out\n"
                                       "Spool %1/pdfspool\n"
                                       "Label 2\n"
                                       "Log %1/log\n"
                                       "LogType 3\n")
                            .arg(r);
    if (!writeText(r + QStringLiteral("/conf/cupsd.conf"), cupsd) ||
        !writeText(r + QStringLiteral("/conf/cups-files.conf"), files) ||
        !writeText(r + QStringLiteral("/conf/cups-pdf.conf"), pdf))
        return QStringLiteral("cannot write the scheduler's configuration under %1").arg(r);
    return {};
}

bool PrivateCups::start() {
    if (::geteuid() != 0)
        return fail(QStringLiteral("the private print scheduler needs root here (cupsd runs its "
                                   "filters as the lp user and cups-pdf as root)"));
    const QString cupsd = findTool(QStringLiteral("cupsd"));
    if (cupsd.isEmpty())
        return fail(QStringLiteral("cupsd is not installed (Debian package cups)"));
    if (findTool(QStringLiteral("lpadmin")).isEmpty())
        return fail(QStringLiteral("lpadmin is not installed (Debian package cups-client)"));
    if (!QFileInfo::exists(QString::fromLatin1(CupsPdfBackend)) ||
        !QFileInfo::exists(QString::fromLatin1(CupsPdfConf)) || cupsPdfPpd().isEmpty())
        return fail(
            QStringLiteral("cups-pdf is not installed (Debian package printer-driver-cups-pdf)"));
    const QString unshare = findTool(QStringLiteral("unshare"));
    if (unshare.isEmpty() || findTool(QStringLiteral("mount")).isEmpty())
        return fail(QStringLiteral("unshare or mount is missing (Debian package util-linux, "
                                   "mount); cups-pdf's output cannot be kept private"));
    if (!dir_.isValid())
        return fail(QStringLiteral("no temporary folder: %1").arg(dir_.errorString()));
    // The filters run as lp and must reach the spooled files under this folder.
    QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                           QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                           QFileDevice::ExeOther);
    if (const QString error = writeConfig(); !error.isEmpty())
        return fail(error);

    // cupsd in a mount namespace of its own, where the private cups-pdf settings cover the
    // machine's; the bind mount ends with the scheduler.
    const QString conf = dir_.path() + QStringLiteral("/conf");
    cupsd_ = std::make_unique<QProcess>();
    cupsd_->setProcessChannelMode(QProcess::MergedChannels);
    cupsd_->setStandardOutputFile(dir_.path() + QStringLiteral("/log/cupsd.out"));
    cupsd_->start(unshare,
                  {QStringLiteral("--mount"), QStringLiteral("--propagation"),
                   QStringLiteral("private"), QStringLiteral("--"), QStringLiteral("sh"),
                   QStringLiteral("-c"),
                   QStringLiteral("mount --bind \"$1\" \"$2\" && exec \"$3\" -f "
                                  "-c \"$4\" -s \"$5\""),
                   QStringLiteral("sh"), conf + QStringLiteral("/cups-pdf.conf"),
                   QString::fromLatin1(CupsPdfConf), cupsd, conf + QStringLiteral("/cupsd.conf"),
                   conf + QStringLiteral("/cups-files.conf")});
    if (!cupsd_->waitForStarted(10000))
        return fail(QStringLiteral("cannot start %1: %2").arg(unshare, cupsd_->errorString()));

    const QDeadlineTimer deadline(30000);
    while (!schedulerAnswers(socketPath())) {
        if (cupsd_->state() == QProcess::NotRunning || cupsd_->waitForFinished(0))
            return fail(QStringLiteral("the private cupsd stopped at once: %1 %2")
                            .arg(tail(dir_.path() + QStringLiteral("/log/cupsd.out")),
                                 tail(dir_.path() + QStringLiteral("/log/error_log"))));
        if (deadline.hasExpired())
            return fail(
                QStringLiteral("the private cupsd did not answer on %1: %2")
                    .arg(socketPath(), tail(dir_.path() + QStringLiteral("/log/error_log"))));
        QThread::msleep(20);
    }

    // This process and every tool it starts print to the private scheduler only.
    qputenv("CUPS_SERVER", QFile::encodeName(socketPath()));
    qputenv("CUPS_SERVERROOT", QFile::encodeName(conf));
    qputenv("HOME", QFile::encodeName(dir_.path() + QStringLiteral("/home")));
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    cupsSetServer(QFile::encodeName(socketPath()).constData());
    return true;
}

QString PrivateCups::runTool(const QString& tool, const QStringList& args) {
    const QString program = findTool(tool);
    if (program.isEmpty())
        return QStringLiteral("%1 is not installed").arg(tool);
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        return QStringLiteral("%1 did not finish").arg(tool);
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("%1 failed: %2")
            .arg(tool, QString::fromLocal8Bit(process.readAllStandardError()).trimmed());
    return {};
}

QString PrivateCups::addPdfQueue(const QString& name, const QString& ppdPath,
                                 const QStringList& options, bool makeDefault) {
    QStringList args{QStringLiteral("-p"),
                     name,
                     QStringLiteral("-E"),
                     QStringLiteral("-v"),
                     QStringLiteral("cups-pdf:/"),
                     QStringLiteral("-P"),
                     ppdPath.isEmpty() ? cupsPdfPpd() : ppdPath};
    for (const QString& option : options)
        args << QStringLiteral("-o") << option;
    if (QString error = runTool(QStringLiteral("lpadmin"), args); !error.isEmpty())
        return error;
    if (makeDefault)
        return runTool(QStringLiteral("lpadmin"), {QStringLiteral("-d"), name});
    return {};
}

int PrivateCups::waitForJob(int jobId, int timeoutMs) const {
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        cups_job_t* jobs = nullptr;
        const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
        int state = 0;
        for (int i = 0; i < count; ++i)
            if (jobs[i].id == jobId)
                state = jobs[i].state;
        cupsFreeJobs(count, jobs);
        if (state >= IPP_JSTATE_CANCELED)
            return state;
        if (deadline.hasExpired())
            return 0;
        QThread::msleep(50);
    }
}

int PrivateCups::jobCount() const {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, nullptr, 0, CUPS_WHICHJOBS_ALL);
    cupsFreeJobs(count, jobs);
    return count;
}

QString PrivateCups::spooledDocument(int jobId) const {
    return spoolDir() + QStringLiteral("/d%1-001").arg(jobId, 5, 10, QLatin1Char('0'));
}

QStringList PrivateCups::outputPdfs() const {
    QStringList files;
    QDir out(outputDir());
    const QStringList names = out.entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
    for (const QString& name : names)
        files << out.filePath(name);
    return files;
}

bool havePopplerTools() {
    return !findTool(QStringLiteral("pdfinfo")).isEmpty() &&
           !findTool(QStringLiteral("pdftotext")).isEmpty();
}

PdfFacts readPdf(const QString& path) {
    PdfFacts facts;
    QProcess info;
    info.start(findTool(QStringLiteral("pdfinfo")), {path});
    if (!info.waitForFinished(60000) || info.exitCode() != 0)
        return facts;
    const QString out = QString::fromUtf8(info.readAllStandardOutput());
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(out);
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                           QRegularExpression::MultilineOption)
            .match(out);
    const QRegularExpressionMatch rot = QRegularExpression(QStringLiteral("^Page rot:\\s+(\\d+)"),
                                                           QRegularExpression::MultilineOption)
                                            .match(out);
    if (!pages.hasMatch() || !size.hasMatch())
        return facts;
    facts.ok = true;
    facts.pages = pages.captured(1).toInt();
    facts.widthPt = size.captured(1).toDouble();
    facts.heightPt = size.captured(2).toDouble();
    if (rot.hasMatch() && (rot.captured(1).toInt() % 180) == 90)
        std::swap(facts.widthPt, facts.heightPt);

    QProcess text;
    text.start(findTool(QStringLiteral("pdftotext")), {path, QStringLiteral("-")});
    if (text.waitForFinished(60000) && text.exitCode() == 0)
        facts.text = QString::fromUtf8(text.readAllStandardOutput());
    return facts;
}

} // namespace testutils
