// SPDX-License-Identifier: MIT
// lobeview-cli export: the same run as the graph window's, its save dialog answered with -o.
#include "ExportChecks.h"
#include "TestUtils.h"
#include "adf/PatternReader.h"
#include "base/PdfCheck.h"
#include "catalogue/IndexRefresh.h"
#include "output/TextExport.h"
#include "pages/PageRoutines.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QSettings>
#include <QtCore/QThread>
#include <csignal>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

using namespace exportchecks;
using testutils::runCli;

namespace {

QString sample(const char* name) {
    return testutils::samplePath(QString::fromLatin1(name));
}

QImage chartPage(const char* name, bool color) {
    IndexRecord record;
    LoadedPattern pattern;
    EXPECT_FALSE(BuildRecordFromFile(sample(name), record));
    LoadPatternFile(sample(name), record.feedOrientation(), pattern);
    PageMapper map;
    QImage image;
    DrawGraphPage(PageSource{map, record, pattern, color, ImagePenFactor}, image);
    return image;
}

QStringList exportArgs(const char* name, const char* page, const char* format, const QString& out) {
    return {QStringLiteral("export"),   sample(name),
            QStringLiteral("--page"),   QString::fromLatin1(page),
            QStringLiteral("--format"), QString::fromLatin1(format),
            QStringLiteral("-o"),       out};
}

} // namespace

TEST(ExportCli, PicturesAndTextCopy) {
    testutils::Sandbox box;
    const QString gif = box.path(QStringLiteral("chart.gif"));
    auto r = runCli(exportArgs("ZZX10-60L.adf", "chart", "gif", gif) << QStringLiteral("--color"));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(firstDifference(QImage::fromData(testutils::readFile(gif), "GIF"),
                              paletteMapped(chartPage("ZZX10-60L.adf", true))),
              std::string());

    const QString jpg = box.path(QStringLiteral("chart.jpg"));
    r = runCli(exportArgs("QS2-370.adf", "chart", "jpg", jpg));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage decoded = QImage::fromData(testutils::readFile(jpg), "JPEG");
    EXPECT_EQ(decoded.size(), QSize(1200, 1500));
    EXPECT_LT(meanDifference(decoded, chartPage("QS2-370.adf", false)), 2.0);

    // The text copy: "txt" added to a name without an extension, CR LF line ends.
    r = runCli(exportArgs("ZZ8-107.adf", "data", "txt", box.path(QStringLiteral("copy"))));
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QString txt = box.path(QStringLiteral("copy.txt"));
    EXPECT_EQ(testutils::readFile(txt), TextCopyBytes(testutils::readFile(sample("ZZ8-107.adf"))));
    EXPECT_EQ(r.out, (txt + QStringLiteral(" successfully created.\n")).toLocal8Bit());

    // A folder that is missing: the run's own message.
    const QString missing = box.path(QStringLiteral("none/chart.jpg"));
    r = runCli(exportArgs("QS2-370.adf", "chart", "jpg", missing));
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err,
              (QStringLiteral("Cannot create file ") + missing + QLatin1Char('\n')).toLocal8Bit());

    // Pages a format does not have.
    EXPECT_EQ(runCli(exportArgs("QS2-370.adf", "data", "jpg", jpg)).exitCode, 2);
    EXPECT_EQ(runCli(exportArgs("QS2-370.adf", "chart", "txt", txt)).exitCode, 2);
    EXPECT_EQ(runCli(exportArgs("QS2-370.adf", "chart", "bmp", jpg)).exitCode, 2);
}

TEST(ExportCli, PdfThroughTheRealHtmldoc) {
    if (!haveRealConverter())
        GTEST_SKIP() << "htmldoc or pdfinfo missing";
    testutils::Sandbox box;
    const QString programDir = QFileInfo(testutils::cliPath()).absolutePath();
    // The user's own files at the names of the chart's temporaries stay as they are.
    const QStringList own = {QStringLiteral("12050.gif"), QStringLiteral("12050.html"),
                             QStringLiteral("12050.pdf")};
    for (const QString& name : own)
        ASSERT_TRUE(testutils::writeFile(programDir + u'/' + name, "mine " + name.toLatin1()));
    const QStringList before = entries(programDir);
    const struct {
        const char* file;
        const char* page;
        const char* out;
        const char* pdf;
        const char* box;
    } cases[] = {
        {"QS2-370.adf", "chart", "one.pdf", "one.pdf", "595 x 792"},
        {"ZZX10-60L.adf", "chart", "two", "two.pdf", "792 x 595"},
        {"ZZX10-60L.adf", "data", "sheet.v1.pdf", "sheet.v1.pdf", "595 x 792"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.out);
        const auto r = runCli(exportArgs(c.file, c.page, "pdf", box.path(QLatin1String(c.out))));
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        const QString pdf = box.path(QLatin1String(c.pdf));
        EXPECT_EQ(r.out, (pdf + QStringLiteral(" successfully created.\n")).toLocal8Bit());
        const QString info = pdfinfo(pdf);
        EXPECT_EQ(pageCount(info), 1);
        EXPECT_EQ(pageBox(info), QLatin1String(c.box));
    }
    // No temporaries left beside the program, and the user's files untouched.
    EXPECT_EQ(entries(programDir), before);
    for (const QString& name : own) {
        EXPECT_EQ(testutils::readFile(programDir + u'/' + name), "mine " + name.toLatin1());
        QFile::remove(programDir + u'/' + name);
    }
}

namespace {

// The batch tool's surroundings for a PDF run: its own cache folder (where run folders go when
// there is no runtime folder, as under cron or ssh) and, when given, a converter of its own.
struct PdfRunEnvironment {
    testutils::Sandbox box;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    explicit PdfRunEnvironment(const QByteArray& converterBody = {}) {
        env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), box.path(QStringLiteral("cache")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), box.path(QStringLiteral("config")));
        if (converterBody.isEmpty())
            return;
        const QString common = box.path(QStringLiteral("common"));
        box.write(QStringLiteral("common/htmldoc"), "#!/bin/sh\n" + converterBody + "\n");
        QFile::setPermissions(common + QStringLiteral("/htmldoc"),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(box.path(QStringLiteral("config")));
        QSettings(box.path(QStringLiteral("config/Quelda.conf")), QSettings::IniFormat)
            .setValue(QStringLiteral("Common Files/Path"), common);
    }
    QStringList runFolders() const {
        return entries(box.path(QStringLiteral("cache/lobeview")))
            .filter(QRegularExpression(QStringLiteral("^pdf-")));
    }
    // Waits until `file` exists, for at most 30 s.
    bool waitFor(const QString& file) const {
        QElapsedTimer timer;
        timer.start();
        while (!QFileInfo::exists(file) && timer.elapsed() < 30000)
            QThread::msleep(20);
        return QFileInfo::exists(file);
    }
};

bool processGone(const QByteArray& pid) {
    // Gone, or a zombie waiting for a parent that no longer cares.
    const QByteArray stat = testutils::readFile(QStringLiteral("/proc/") +
                                                QString::fromLatin1(pid) + QStringLiteral("/stat"));
    return stat.isEmpty() || stat.contains(") Z ");
}

} // namespace

TEST(ExportCli, PdfRunsAtOnceNeverMeet) {
    if (!haveRealConverter())
        GTEST_SKIP() << "htmldoc or pdfinfo missing";
    PdfRunEnvironment t;
    std::vector<std::unique_ptr<QProcess>> runs;
    for (int i = 0; i < 4; ++i) {
        auto p = std::make_unique<QProcess>();
        p->setProcessEnvironment(t.env);
        // One antenna and page each time: the same temporaries' names in every run.
        p->start(testutils::cliPath(), exportArgs("ZZX10-60L.adf", "chart", "pdf",
                                                  t.box.path(QStringLiteral("out%1.pdf").arg(i))));
        runs.push_back(std::move(p));
    }
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        ASSERT_TRUE(runs[i]->waitForFinished(120000));
        EXPECT_EQ(runs[i]->exitCode(), 0) << runs[i]->readAllStandardError().constData();
        const QString pdf = t.box.path(QStringLiteral("out%1.pdf").arg(i));
        EXPECT_TRUE(IsCompletePdfFile(pdf));
        EXPECT_EQ(pageCount(pdfinfo(pdf)), 1);
    }
    EXPECT_TRUE(t.runFolders().isEmpty()) << t.runFolders().join(u' ').toStdString();
}

TEST(ExportCli, AStoppedPdfRunLeavesNothingBehind) {
    PdfRunEnvironment t("echo $$ > \"$(dirname \"$0\")/pid\"; exec sleep 30");
    const QString pidFile = t.box.path(QStringLiteral("common/pid"));
    const QString programDir = QFileInfo(testutils::cliPath()).absolutePath();
    const QStringList before = entries(programDir);
    for (const auto stop : {&QProcess::terminate, &QProcess::kill}) {
        QFile::remove(pidFile);
        QProcess run;
        run.setProcessEnvironment(t.env);
        run.start(testutils::cliPath(), exportArgs("ZZX10-60L.adf", "chart", "pdf",
                                                   t.box.path(QStringLiteral("out.pdf"))));
        ASSERT_TRUE(t.waitFor(pidFile)) << run.readAllStandardError().constData();
        const QByteArray converter = testutils::readFile(pidFile).trimmed();
        EXPECT_EQ(t.runFolders().size(), 1);
        (run.*stop)();
        ASSERT_TRUE(run.waitForFinished(30000));
        EXPECT_EQ(run.exitStatus(), QProcess::CrashExit);
        EXPECT_FALSE(QFileInfo::exists(t.box.path(QStringLiteral("out.pdf"))));
        EXPECT_EQ(entries(programDir), before);
        if (stop == &QProcess::terminate) {
            // SIGTERM: the converter is stopped and the run's folder removed at once.
            EXPECT_TRUE(t.runFolders().isEmpty()) << t.runFolders().join(u' ').toStdString();
            QThread::msleep(100);
            EXPECT_TRUE(processGone(converter));
        } else {
            // SIGKILL leaves the folder; the next start removes it.
            EXPECT_EQ(t.runFolders().size(), 1);
            ::kill(converter.toInt(), SIGKILL);
            QProcess next;
            next.setProcessEnvironment(t.env);
            next.start(testutils::cliPath(), exportArgs("QS2-370.adf", "data", "txt",
                                                        t.box.path(QStringLiteral("copy.txt"))));
            ASSERT_TRUE(next.waitForFinished(60000));
            EXPECT_EQ(next.exitCode(), 0);
            EXPECT_TRUE(t.runFolders().isEmpty()) << t.runFolders().join(u' ').toStdString();
        }
    }
}
