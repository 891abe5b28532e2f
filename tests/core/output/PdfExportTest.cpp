// SPDX-License-Identifier: MIT
// PDF production: the HTML page, the converter's arguments, the hand-over, and whole runs with
// the real htmldoc and with stand-in converters.
#include "output/PdfExport.h"

#include "TestUtils.h"
#include "base/PdfCheck.h"
#include "base/Prompter.h"
#include "output/PdfRunFolder.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QProcess>
#include <QtCore/QRegularExpression>
#include <QtCore/QStandardPaths>
#include <QtCore/QSysInfo>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace {

QImage page(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 3));
    p.drawRect(20, 20, w - 40, h - 40);
    p.setPen(QPen(QColor(0, 191, 0), 3));
    p.drawLine(20, h - 20, w - 20, 20);
    return image;
}

QStringList entries(const QString& dir) {
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

QString tool(const char* name) {
    return QStandardPaths::findExecutable(QString::fromLatin1(name));
}

QString run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    p.waitForFinished(60000);
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// A stand-in converter in the common files directory: logs its arguments and HOME, then runs
// `body` (with $out the path after -f).
void fakeConverter(const QString& commonDir, const QByteArray& body) {
    QDir().mkpath(commonDir);
    const QString path = commonDir + QStringLiteral("/htmldoc");
    testutils::writeFile(path, "#!/bin/sh\n"
                               "log=\"$(dirname \"$0\")/log\"\n"
                               ": > \"$log\"\n"
                               "out=; prev=\n"
                               "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$log\"; "
                               "[ \"$prev\" = -f ] && out=$a; prev=$a; done\n"
                               "printf 'HOME=%s\\n' \"$HOME\" >> \"$log\"\n"
                               "ls -A \"$HOME\" >> \"$log\"\n" +
                                   body + "\n");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// A stand-in converter that writes a complete PDF.
void goodConverter(const QString& commonDir, const QByteArray& note = "fake") {
    QDir().mkpath(commonDir);
    testutils::writeFile(commonDir + QStringLiteral("/good.pdf"), testutils::minimalPdf(note));
    fakeConverter(commonDir, "cp \"$(dirname \"$0\")/good.pdf\" \"$out\"");
}

// The run folders that exist now.
QStringList runFolders() {
    return entries(PdfRunsRoot()).filter(QRegularExpression(QStringLiteral("^pdf-")));
}

struct PdfCase {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    PdfOptions options;
    QString programDir;
    explicit PdfCase(const QString& progName = QStringLiteral("prog")) {
        programDir = box.path(progName) + QLatin1Char('/');
        QDir().mkpath(programDir);
        QDir().mkpath(box.path(QStringLiteral("PDF")));
        options.commonFilesDir = box.path(QStringLiteral("common")) + QLatin1Char('/');
        options.rpeNumber = "12345";
        options.confirmedPath = box.path(QStringLiteral("PDF/12345.pdf"));
    }
    std::optional<QString> make(const QImage& image, PdfRunControl* control = nullptr) {
        return MakePdf(image, options, prompter, control);
    }
};

} // namespace

TEST(PdfExport, HtmlPageByteForByte) {
    const QByteArray expected =
        "<html>\r\n<head>\r\n  <title>Untitled</title>\r\n</head>\r\n\r\n"
        "\r\n<body bgcolor=\"white\">\r\n<center>\r\n"
        "<img src=\"/opt/a b&amp;c&quot;&lt;d&gt;%25e\xc3\xa9%0A%09%7F/12345.gif\""
        " width=650 height=850 border=0 alt=\"image\">\r\n"
        "</center>\r\n</body>\r\n</html>\r\n";
    EXPECT_EQ(HtmlPageBytes(QStringLiteral("/opt/a b&c\"<d>%e\u00e9\n\t\x7f/12345.gif"), 650, 850),
              expected);
    EXPECT_EQ(HtmlPageBytes(QStringLiteral("/p/9dat.gif"), 700, 800).split('\n').size(), 13);

    testutils::Sandbox box;
    const QString html = box.path(QStringLiteral("12345.html"));
    ASSERT_FALSE(WriteHtmlPage(html, QStringLiteral("/p/12345.gif"), 680, 520));
    EXPECT_EQ(testutils::readFile(html), HtmlPageBytes(QStringLiteral("/p/12345.gif"), 680, 520));
    // Never written through what is already there.
    EXPECT_EQ(WriteHtmlPage(html, QStringLiteral("/p/x.gif"), 1, 1),
              std::optional<QString>(QStringLiteral("Unable to create HTML file for PDF")));
    EXPECT_EQ(testutils::readFile(html), HtmlPageBytes(QStringLiteral("/p/12345.gif"), 680, 520));
    EXPECT_EQ(entries(box.path()), QStringList{QStringLiteral("12345.html")});
}

TEST(PdfExport, TemporariesSizesAndArgumentsPerVariant) {
    const QString p = QStringLiteral("/o p/");
    const PdfTemporaries graph = PdfTemporaryPaths(p, "12345", PdfVariant::Graph);
    const PdfTemporaries data = PdfTemporaryPaths(p, "12345", PdfVariant::Data);
    EXPECT_EQ(graph.gif, QStringLiteral("/o p/12345.gif"));
    EXPECT_EQ(graph.html, QStringLiteral("/o p/12345.html"));
    EXPECT_EQ(graph.pdf, QStringLiteral("/o p/12345.pdf"));
    EXPECT_EQ(data.gif, QStringLiteral("/o p/12345dat.gif"));
    EXPECT_EQ(data.html, QStringLiteral("/o p/12345dat.html"));
    EXPECT_EQ(data.pdf, QStringLiteral("/o p/12345dat.pdf"));
    EXPECT_EQ(PdfTemporaryPaths(p, "../..", PdfVariant::Graph).gif,
              QStringLiteral("/o p/_____.gif"));

    EXPECT_EQ(HtmlPictureSize(PdfVariant::Graph, false), QSize(650, 850));
    EXPECT_EQ(HtmlPictureSize(PdfVariant::Graph, true), QSize(680, 520));
    EXPECT_EQ(HtmlPictureSize(PdfVariant::Data, true), QSize(700, 800));
    EXPECT_EQ(OrientationWord(PdfVariant::Graph, true), QStringLiteral("landscape"));
    EXPECT_EQ(OrientationWord(PdfVariant::Data, true), QStringLiteral("portrait"));

    const QString head =
        QStringLiteral("--right 0.00in --top 0.00in --bottom 0.00in --header ... --footer ... -f ");
    EXPECT_EQ(ConverterArgumentString(QStringLiteral("portrait"), graph, PdfVariant::Graph),
              QStringLiteral("--webpage --portrait ") + head +
                  QStringLiteral("\"/o p/12345.pdf\" \"/o p/12345.html\""));
    EXPECT_EQ(ConverterArgumentString(QStringLiteral("landscape"), graph, PdfVariant::Graph),
              QStringLiteral("--webpage --landscape ") + head +
                  QStringLiteral("\"/o p/12345.pdf\" \"/o p/12345.html\""));
    // Only the exact word "portrait" is portrait.
    EXPECT_TRUE(ConverterArgumentString(QStringLiteral("Portrait"), graph, PdfVariant::Graph)
                    .startsWith(QStringLiteral("--webpage --landscape ")));
    EXPECT_EQ(ConverterArgumentString(QStringLiteral("landscape"), data, PdfVariant::Data),
              QStringLiteral("--webpage --portrait ") + head +
                  QStringLiteral("\"/o p/12345dat.pdf\" \"/o p/12345dat.html\""));

    // The list is the string split at blanks outside quotes.
    for (const auto& [word, temps, variant] :
         {std::tuple{QStringLiteral("portrait"), graph, PdfVariant::Graph},
          std::tuple{QStringLiteral("landscape"), graph, PdfVariant::Graph},
          std::tuple{QStringLiteral("portrait"), data, PdfVariant::Data}}) {
        QStringList split;
        QString piece;
        bool quoted = false;
        for (const QChar c : ConverterArgumentString(word, temps, variant)) {
            if (c == QLatin1Char('"'))
                quoted = !quoted;
            else if (c == QLatin1Char(' ') && !quoted)
                split << std::exchange(piece, QString());
            else
                piece += c;
        }
        split << piece;
        EXPECT_EQ(ConverterArguments(word, temps, variant), split);
    }
}

TEST(PdfExport, ConverterFromCommonFilesWhenExecutable) {
    testutils::Sandbox box;
    const QString common = box.path(QStringLiteral("common"));
    ASSERT_TRUE(box.write(QStringLiteral("common/htmldoc"), "#!/bin/sh\n"));
    // Not executable: the one on the PATH.
    EXPECT_EQ(ConverterProgram(common + QStringLiteral("/")), tool("htmldoc"));
    QFile::setPermissions(common + QStringLiteral("/htmldoc"), QFile::ReadOwner | QFile::ExeOwner);
    EXPECT_EQ(ConverterProgram(common + QStringLiteral("//")), common + QStringLiteral("/htmldoc"));
    EXPECT_EQ(ConverterProgram(common), common + QStringLiteral("/htmldoc"));
}

TEST(PdfExport, FileRenameCopiesOrRecognisesOneFile) {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    const QString source = box.path(QStringLiteral("prog/12345.pdf"));
    const QString target = box.path(QStringLiteral("PDF/report.pdf"));
    const QByteArray newPdf = testutils::minimalPdf("new");
    ASSERT_TRUE(box.write(QStringLiteral("prog/12345.pdf"), newPdf));
    ASSERT_TRUE(box.write(QStringLiteral("PDF/report.pdf"), "%PDF-old"));
    EXPECT_TRUE(FileRename(source, target, prompter));
    EXPECT_EQ(testutils::readFile(target), newPdf);
    EXPECT_FALSE(QFileInfo::exists(source));
    EXPECT_EQ(prompter.messages.takeFirst(), target + QStringLiteral(" successfully created."));

    // A missing source, or one cut short: the target stays as it was.
    EXPECT_FALSE(FileRename(source, target, prompter));
    EXPECT_EQ(testutils::readFile(target), newPdf);
    ASSERT_TRUE(box.write(QStringLiteral("prog/12345.pdf"), newPdf.chopped(8)));
    EXPECT_FALSE(FileRename(source, target, prompter));
    EXPECT_EQ(testutils::readFile(target), newPdf);
    const QString renamingFailed = QStringLiteral("Renaming ") + source + QStringLiteral(" to ") +
                                   target + QStringLiteral(" Failed");
    EXPECT_EQ(prompter.messages, (QStringList{renamingFailed, renamingFailed}));
    prompter.messages.clear();
    QFile::remove(source);

    // Two spellings of one file: nothing is copied or deleted.
    const QString doubled = box.path(QStringLiteral("PDF//report.pdf"));
    EXPECT_TRUE(FileRename(target, doubled, prompter));
    EXPECT_EQ(testutils::readFile(target), newPdf);
    ASSERT_TRUE(QFile::link(box.path(QStringLiteral("PDF")), box.path(QStringLiteral("link"))));
    const QString linked = box.path(QStringLiteral("link/report.pdf"));
    EXPECT_TRUE(FileRename(linked, target, prompter));
    EXPECT_EQ(testutils::readFile(target), newPdf);
    EXPECT_EQ(prompter.messages, (QStringList{doubled + QStringLiteral(" successfully created."),
                                              target + QStringLiteral(" successfully created.")}));
    prompter.messages.clear();
    const QString none = box.path(QStringLiteral("PDF/none.pdf"));
    EXPECT_FALSE(FileRename(none, box.path(QStringLiteral("link//none.pdf")), prompter));
    EXPECT_EQ(prompter.messages,
              QStringList{QStringLiteral("Creating ") + box.path(QStringLiteral("link//none.pdf")) +
                          QStringLiteral(" failed")});
    EXPECT_TRUE(
        SameFile(box.path(QStringLiteral("PDF/./x.pdf")), box.path(QStringLiteral("link/x.pdf"))));
    EXPECT_FALSE(
        SameFile(box.path(QStringLiteral("PDF/x.pdf")), box.path(QStringLiteral("PDF/X.pdf"))));
}

TEST(PdfExport, RealConverterMakesOnePageAtFullResolution) {
    if (tool("htmldoc").isEmpty() || tool("pdfinfo").isEmpty() || tool("pdfimages").isEmpty())
        GTEST_SKIP() << "htmldoc or poppler-utils missing";
    // A program directory with a blank, an ampersand, a percent sign and a non-ASCII letter.
    PdfCase t(QStringLiteral("Lobe view & 100% \u00e9t\u00e9"));
    const struct {
        PdfVariant variant;
        bool landscape;
        QSize image;
        QString confirmed;
        QString produced;
        QString box;
    } cases[] = {
        {PdfVariant::Graph,
         false,
         {1200, 1500},
         QStringLiteral("PDF/12345.pdf"),
         QStringLiteral("PDF/12345.pdf"),
         QStringLiteral("595 x 792")},
        {PdfVariant::Graph,
         true,
         {2200, 1700},
         QStringLiteral("PDF/my.report.pdf"),
         QStringLiteral("PDF/my.report.pdf"),
         QStringLiteral("792 x 595")},
        {PdfVariant::Data,
         false,
         {1600, 2000},
         QStringLiteral("PDF/sheet"),
         QStringLiteral("PDF/sheet.pdf"),
         QStringLiteral("595 x 792")},
    };
    // The user's own files at the names the temporaries have.
    for (const char* name : {"12345.gif", "12345.html", "12345.pdf", "12345dat.gif"})
        ASSERT_TRUE(t.box.write(QStringLiteral("prog/") + QLatin1String(name), "mine"));
    const QStringList before = entries(t.programDir);
    for (const auto& c : cases) {
        t.options.variant = c.variant;
        t.options.landscape = c.landscape;
        t.options.confirmedPath = t.box.path(c.confirmed);
        const QString pdf = t.box.path(c.produced);
        EXPECT_EQ(t.make(page(c.image.width(), c.image.height())), std::optional<QString>(pdf));
        EXPECT_TRUE(t.prompter.errors.isEmpty())
            << t.prompter.errors.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(t.prompter.messages.takeFirst(), pdf + QStringLiteral(" successfully created."));
        const QString info = run(tool("pdfinfo"), {pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))))
            << info.toStdString();
        EXPECT_TRUE(info.contains(QStringLiteral("Page size:       ") + c.box))
            << info.toStdString();
        const QStringList images = run(tool("pdfimages"), {QStringLiteral("-list"), pdf})
                                       .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        ASSERT_EQ(images.size(), 3) << images.join(QLatin1Char('\n')).toStdString();
        const QStringList columns = images[2].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        EXPECT_EQ(columns.value(3), QString::number(c.image.width()));
        EXPECT_EQ(columns.value(4), QString::number(c.image.height()));
        EXPECT_TRUE(runFolders().isEmpty());
    }
    // The program folder is never touched.
    EXPECT_EQ(entries(t.programDir), before);
    EXPECT_EQ(testutils::readFile(t.box.path(QStringLiteral("prog/12345.gif"))), "mine");
    EXPECT_EQ(testutils::readFile(t.box.path(QStringLiteral("prog/12345.pdf"))), "mine");
}

TEST(PdfExport, FailingConverterLeavesTheTargetAndNoTemporaries) {
    PdfCase t;
    // Its output is not taken when it says it failed.
    fakeConverter(t.options.commonFilesDir,
                  "printf '%%PDF-1.4 partial' > \"$out\"; echo 'ERR005: cannot do it' >&2; exit 3");
    ASSERT_TRUE(t.box.write(QStringLiteral("PDF/12345.pdf"), "%PDF-old"));
    EXPECT_FALSE(t.make(page(120, 150)));
    EXPECT_EQ(t.prompter.errors,
              QStringList{QStringLiteral("Unable to create PDF file.\nERR005: cannot do it")});
    EXPECT_TRUE(t.prompter.messages.isEmpty());
    EXPECT_EQ(testutils::readFile(t.box.path(QStringLiteral("PDF/12345.pdf"))),
              QByteArray("%PDF-old"));
    EXPECT_TRUE(runFolders().isEmpty());

    // Exit 0 without a PDF, or with one cut short (a full disk, a killed converter), is a
    // failure too.
    const struct {
        QByteArray body;
        QString error;
    } silent[] = {
        {"exit 0", QStringLiteral("Unable to create PDF file.")},
        {"head -c 100 \"$(dirname \"$0\")/good.pdf\" > \"$out\"",
         QStringLiteral(
             "Unable to create PDF file.\nThe converter's output is not a complete PDF.")},
        {"printf '%%PDF-1.4\\n%%%%EOF\\n' > \"$out\"",
         QStringLiteral(
             "Unable to create PDF file.\nThe converter's output is not a complete PDF.")},
    };
    testutils::writeFile(t.options.commonFilesDir + QStringLiteral("good.pdf"),
                         testutils::minimalPdf("good"));
    for (const auto& c : silent) {
        SCOPED_TRACE(c.body.toStdString());
        t.prompter.errors.clear();
        fakeConverter(t.options.commonFilesDir, c.body);
        EXPECT_FALSE(t.make(page(120, 150)));
        EXPECT_EQ(t.prompter.errors, QStringList{c.error});
        EXPECT_TRUE(t.prompter.messages.isEmpty());
        EXPECT_EQ(testutils::readFile(t.box.path(QStringLiteral("PDF/12345.pdf"))), "%PDF-old");
        EXPECT_TRUE(runFolders().isEmpty());
    }
}

TEST(PdfExport, CompletePdfNeedsItsTrailerAndCrossReference) {
    const QByteArray good = testutils::minimalPdf("x");
    EXPECT_TRUE(IsCompletePdf(good));
    EXPECT_TRUE(IsCompletePdf(good + "\r\n\r\n"));
    const qsizetype xref = good.indexOf("xref\n0 3");
    QByteArray streamed = good;
    streamed.replace(xref, 4, "9 0 obj"); // a cross-reference stream in its place
    streamed.replace("startxref\n" + QByteArray::number(xref),
                     "startxref\n" + QByteArray::number(xref));
    EXPECT_TRUE(IsCompletePdf(streamed));
    QByteArray wrongOffset = good;
    wrongOffset.replace("startxref\n" + QByteArray::number(xref),
                        "startxref\n" + QByteArray::number(xref + 1));
    for (const QByteArray& bad :
         {good.chopped(6), good.left(good.size() / 2), good.mid(1), QByteArray("%PDF-1.4\n%%EOF\n"),
          wrongOffset, QByteArray("%PDF-1.4\nstartxref\n999999\n%%EOF\n")})
        EXPECT_FALSE(IsCompletePdf(bad)) << bad.right(40).toStdString();
}

TEST(PdfExport, ConverterGetsTheListAndAnEmptyHome) {
    PdfCase t(QStringLiteral("a \"quoted\" dir"));
    goodConverter(t.options.commonFilesDir);
    t.options.landscape = true;
    const auto produced = t.make(page(220, 170));
    ASSERT_TRUE(produced);
    EXPECT_EQ(testutils::readFile(*produced), testutils::minimalPdf("fake"));
    const QByteArray log = testutils::readFile(t.options.commonFilesDir + QStringLiteral("log"));
    const QList<QByteArray> lines = log.split('\n');
    // The temporaries are in a private folder of the run under the runs' root.
    const QString html = QString::fromUtf8(lines.value(14));
    const QString folder = QFileInfo(html).absolutePath() + QLatin1Char('/');
    EXPECT_TRUE(folder.startsWith(PdfRunsRoot() + QStringLiteral("/pdf-"))) << folder.toStdString();
    const PdfTemporaries temps = PdfTemporaryPaths(folder, "12345", PdfVariant::Graph);
    QStringList args;
    for (int i = 0; i < 15; ++i)
        args << QString::fromUtf8(lines.value(i));
    EXPECT_EQ(args, ConverterArguments(QStringLiteral("landscape"), temps, PdfVariant::Graph));
    EXPECT_EQ(lines.value(15), "HOME=" + QFile::encodeName(folder) + "home");
    EXPECT_EQ(lines.value(16), QByteArray()); // the home folder is empty
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST(PdfExport, TargetInTheProgramFolderIsReplacedOnlyBySuccess) {
    PdfCase t;
    ASSERT_TRUE(t.box.write(QStringLiteral("prog/12345.pdf"), "%PDF-1.4 old"));
    t.options.confirmedPath = t.programDir + QStringLiteral("/12345.pdf");
    // A failed run leaves the old file in place.
    fakeConverter(t.options.commonFilesDir, "exit 1");
    EXPECT_FALSE(t.make(page(120, 150)));
    EXPECT_EQ(testutils::readFile(t.options.confirmedPath), QByteArray("%PDF-1.4 old"));
    EXPECT_EQ(t.prompter.errors, QStringList{QStringLiteral("Unable to create PDF file.")});
    t.prompter.errors.clear();

    goodConverter(t.options.commonFilesDir, "new");
    EXPECT_EQ(t.make(page(120, 150)), std::optional<QString>(t.options.confirmedPath));
    EXPECT_EQ(testutils::readFile(t.options.confirmedPath), testutils::minimalPdf("new"));
    EXPECT_EQ(entries(t.programDir), QStringList{QStringLiteral("12345.pdf")});
    EXPECT_EQ(t.prompter.messages,
              QStringList{t.options.confirmedPath + QStringLiteral(" successfully created.")});
}

TEST(PdfExport, SlowConverterIsKilledAndCancelCleansUp) {
    PdfCase t;
    fakeConverter(t.options.commonFilesDir, "exec sleep 30");
    t.options.converterLimitMs = 200;
    EXPECT_FALSE(t.make(page(120, 150)));
    EXPECT_EQ(t.prompter.errors,
              QStringList{QStringLiteral("Unable to create PDF file.\nThe PDF converter did not "
                                         "finish within 60 s")});
    EXPECT_TRUE(runFolders().isEmpty());

    t.prompter.errors.clear();
    t.options.converterLimitMs = 60000;
    PdfRunControl control;
    control.onConverterStarted = [&] { control.cancel(); };
    EXPECT_FALSE(t.make(page(120, 150), &control));
    EXPECT_TRUE(t.prompter.errors.isEmpty());
    EXPECT_TRUE(t.prompter.messages.isEmpty());
    EXPECT_TRUE(runFolders().isEmpty());
}

TEST(PdfExport, AbandonedRunFoldersGoWhenTheirProcessIsGone) {
    // A folder of a process that has ended (a killed run), one of a live process, one of another
    // host, and one of this process.
    QProcess ended;
    ended.start(QStringLiteral("true"));
    ASSERT_TRUE(ended.waitForStarted());
    const qint64 endedPid = ended.processId();
    ASSERT_TRUE(ended.waitForFinished());
    const QString root = PdfRunsRoot();
    const QString prefix = QStringLiteral("pdf-") + QSysInfo::machineHostName() + QLatin1Char('-');
    const QString dead =
        root + QLatin1Char('/') + prefix + QString::number(endedPid) + QStringLiteral("-aaaaaa");
    const QString live = root + QLatin1Char('/') + prefix + QStringLiteral("1-bbbbbb");
    const QString other = root + QStringLiteral("/pdf-elsewhere-999999-cccccc");
    ASSERT_TRUE(testutils::writeFile(dead + QStringLiteral("/12345.gif"), "left"));
    ASSERT_TRUE(QDir().mkpath(dead + QStringLiteral("/home")));
    ASSERT_TRUE(QDir().mkpath(live));
    ASSERT_TRUE(QDir().mkpath(other));
    PdfRunFolder own;
    ASSERT_TRUE(own.isValid());
    EXPECT_EQ(RemoveAbandonedPdfRunFolders(), 1);
    EXPECT_FALSE(QFileInfo::exists(dead));
    EXPECT_TRUE(QFileInfo::exists(live));
    EXPECT_TRUE(QFileInfo::exists(other));
    EXPECT_TRUE(QFileInfo::exists(own.path()));
    QDir(live).removeRecursively();
    QDir(other).removeRecursively();
}

TEST(PdfExport, ConverterIsNotStartedWithoutThePicture) {
    PdfCase t;
    goodConverter(t.options.commonFilesDir);
    PdfRunFolder run;
    const PdfTemporaries temps = PdfTemporaryPaths(run.path(), "12345", PdfVariant::Graph);
    ASSERT_TRUE(testutils::writeFile(temps.html, HtmlPageBytes(temps.gif, 650, 850)));
    ASSERT_TRUE(testutils::writeFile(temps.pdf, testutils::minimalPdf("from an earlier run")));
    EXPECT_FALSE(ConvertToPdf(QStringLiteral("portrait"), t.box.path(QStringLiteral("PDF/12345")),
                              temps, run, t.options, t.prompter));
    EXPECT_EQ(t.prompter.errors,
              QStringList{QStringLiteral("Unable to create PDF file.\nThe picture ") + temps.gif +
                          QStringLiteral(" is missing.")});
    EXPECT_FALSE(QFileInfo::exists(t.options.commonFilesDir + QStringLiteral("log")));
    EXPECT_FALSE(QFileInfo::exists(t.box.path(QStringLiteral("PDF/12345.pdf"))));
    EXPECT_TRUE(entries(run.path()).isEmpty());
}
