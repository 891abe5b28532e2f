// SPDX-License-Identifier: MIT
// lobeview-cli: the program's core without windows, for scripts and batch work.
#include "adf/PatternReader.h"
#include "catalogue/IndexRefresh.h"
#include "cli/Commands.h"
#include "output/PdfRunFolder.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QGuiApplication>
#include <cstdio>
#include <memory>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {
const char Usage[] =
    "usage: lobeview-cli COMMAND [ARGS]\n"
    "\n"
    "commands:\n"
    "  index DATA_DIR [-o INDEX_FILE]\n"
    "        rebuild an index (default ./FileIndx.dat) from the .adf files of a folder\n"
    "  list INDEX_FILE\n"
    "        print an index as comma text, heading line first\n"
    "  show FILE.adf... [--feed TEXT] [--json]\n"
    "        read the pattern of data files; print a summary of each, or with --json one\n"
    "        file's pattern and index record as JSON (texts there hold the file's bytes,\n"
    "        one character per byte). The feed orientation comes from the file's header\n"
    "        unless --feed is given\n"
    "  screen FILE.adf -o OUT.png|OUT.gif [--feed TEXT]\n"
    "        draw the 960 x 400 screen chart of a data file, as PNG or GIF by the extension\n"
    "  export FILE.adf --page chart|data --format png|jpg|gif|pdf|txt [--color] -o OUT\n"
    "        export the printed chart page or data sheet of a data file as the graph\n"
    "        window does (chart 2200 x 1700 for two-sided antennas, 1200 x 1500 for\n"
    "        one-sided ones; data sheet 1600 x 2000): png (lossless), jpg and gif (chart\n"
    "        only), pdf through htmldoc (OUT with its extension replaced by .pdf), txt\n"
    "        (--page data: the data file with CR LF line ends); --color for colour\n"
    "        traces and the colour logo\n"
    "  export FILE.adf --page chart|data --format vector-pdf|svg [--color] -o OUT\n"
    "        the page as a vector PDF or SVG on a US Letter sheet, texts as text\n"
    "  export --catalogue DIR --page chart|data|both\n"
    "         --format png|jpg|gif|pdf|vector-pdf|svg|txt -o OUTDIR [-j N] [--color]\n"
    "        every antenna of a catalogue, named by RPE number, on N threads (default:\n"
    "        one per core); exit 1 when a file failed\n"
    "  gif IN -o OUT.gif\n"
    "        write an image (PNG, BMP, PPM) as a 256-colour GIF with the program's encoder\n"
    "  check FILE.adf... [--category A|B] [--json] [--masks TABLE.csv]\n"
    "        check envelopes against the FCC 101.115 antenna standards of their band;\n"
    "        exit 0 when every file passes the category (default A), 1 when one does not,\n"
    "        2 on errors\n"
    "  check --catalogue DIR -o REPORT.csv [--category A|B] [--masks TABLE.csv]\n"
    "        check every file of a catalogue into a CSV report, one row per file and category\n"
    "  find DIR [--text WORDS] [--covers FREQ] [--min-gain DBI] [--max-size FT]\n"
    "       [--pol single|dual] [--feed none|left|right] [--category A|B [--margin DB]]\n"
    "       [--masks TABLE.csv] [--json|--csv]\n"
    "        find the antennas of a catalogue: every word in the model number, RPE number,\n"
    "        descriptions or file name (any case), a frequency within the band (6 GHz,\n"
    "        6175 MHz), at least the gain, at most the size, the polarization and feed;\n"
    "        with --category only those whose files pass it, by at least the margin. Uses\n"
    "        DIR/FileIndx.dat when it is current, else reads the headers; exit 0 when\n"
    "        something matched, 1 when nothing did, 2 on errors\n"
    "  level FILE.adf ANGLE... [--cut hh|vv|hv|vh] [--json]\n"
    "  level FILE.adf --table STEP [--cut hh|vv|hv|vh] [--json]\n"
    "        the level of each cut's envelope (the straight lines between the file's\n"
    "        points) at each angle, or every STEP degrees over the cuts' range, in dB;\n"
    "        negative angles on the left of a two-sided antenna; \"outside\" where a cut\n"
    "        has no envelope, both levels joined by / on a vertical step\n"
    "  compare A.adf B.adf... [--cut hh|vv|hv|vh|copolar] [--angles 5,10,...]\n"
    "          [--json|--csv] [-o OUT.png|OUT.svg|OUT.pdf]\n"
    "        compare 2 to 8 antennas on one cut (default hh; copolar: the higher of H/H and\n"
    "        V/V at each angle): each one's level at the angles from the main beam (default\n"
    "        5,10,15,20,30,45,60,90,100,140,180; a two-sided antenna gives its higher side,\n"
    "        \"outside\" where its cut does not reach) and its worst FCC 101.115 margins for\n"
    "        Categories A and B, the best of each column marked with *; with -o also the\n"
    "        comparison's page (chart, legend, table) as PNG, SVG or vector PDF\n"
    "  print FILE.adf [--graph] [--data] [--color] [--printer NAME]\n"
    "        print the chart page (default) and/or the data sheet of a data file, each as a\n"
    "        document of one page, on the default printer or the one named; prints the\n"
    "        printer's name and the id of each job; exit 1 with the printing system's error\n"
    "        when nothing could be printed or a document was refused\n"
    "\n"
    "exit status:\n"
    "  0  done\n"
    "  1  failed (a file that cannot be read or written, not an index, ...); find: nothing\n"
    "     matched\n"
    "  2  wrong arguments\n"
    "  3  index: the index was written, but some files were skipped (listed on stdout)\n";

// Qt warns on stderr when the per-user runtime folder is missing or open to others. The drawing
// commands then get a private one of their own for the run.
bool usableRuntimeDirectory(const QByteArray& path) {
    struct stat st {};
    return !path.isEmpty() && ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::getuid() && (st.st_mode & 0077) == 0;
}

// Options whose value is not a file name.
bool takesTextValue(const QString& option) {
    static const QStringList texts = {
        QStringLiteral("--feed"),     QStringLiteral("--page"),     QStringLiteral("--format"),
        QStringLiteral("-j"),         QStringLiteral("--category"), QStringLiteral("--printer"),
        QStringLiteral("--text"),     QStringLiteral("--covers"),   QStringLiteral("--min-gain"),
        QStringLiteral("--max-size"), QStringLiteral("--pol"),      QStringLiteral("--margin"),
        QStringLiteral("--cut"),      QStringLiteral("--table"),    QStringLiteral("--angles")};
    return texts.contains(option);
}

// A name's bytes as a message shows them: printable ASCII as it is, other bytes as \xHH.
QString escapedBytes(const QByteArray& bytes) {
    QString out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7f && u != '\\')
            out += QLatin1Char(c);
        else
            out += QStringLiteral("\\x") +
                   QString::number(u, 16).toUpper().rightJustified(2, QLatin1Char('0'));
    }
    return out;
}

// The arguments after the program's name, each decoded from its own bytes with the file
// system's encoding. A file name whose bytes do not come back from that decoding (Latin-1 bytes
// where the system reads UTF-8, say) would be opened or written under another name; it is
// refused with a message naming it, and the command is not run.
std::optional<QStringList> decodeArguments(int argc, char** argv) {
    QStringList args;
    QList<QByteArray> raw;
    for (int i = 1; i < argc; ++i) {
        raw << QByteArray(argv[i]);
        args << QFile::decodeName(raw.back());
    }
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (takesTextValue(args[i])) {
            ++i;
            continue;
        }
        if (QFile::encodeName(args[i]) == raw[i])
            continue;
        const bool optionValue = QStringList{QStringLiteral("-o"), QStringLiteral("--catalogue"),
                                             QStringLiteral("--masks")}
                                     .contains(args[i - 1]);
        printError(QStringLiteral("lobeview-cli %1: the file name \"%2\"%3 is not valid in the "
                                  "file system's encoding (UTF-8) and cannot be used as given")
                       .arg(args[0], escapedBytes(raw[i]),
                            optionValue ? QStringLiteral(" given to ") + args[i - 1] : QString()));
        return std::nullopt;
    }
    return args;
}
} // namespace

int main(int argc, char** argv) {
    // Drawing commands need fonts (a GUI application object) but never a display; the others
    // need no more than the core.
    bool draws = argc > 1 && (qstrcmp(argv[1], "screen") == 0 || qstrcmp(argv[1], "export") == 0 ||
                              qstrcmp(argv[1], "print") == 0);
    // compare draws only the page it is asked for.
    for (int i = 2; argc > 1 && qstrcmp(argv[1], "compare") == 0 && i < argc; ++i)
        draws = draws || qstrcmp(argv[i], "-o") == 0;
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // The PDF runs' folders are placed by the runtime folder as the user's session has it;
        // a run stopped by a signal takes its folder with it, and what a killed run left goes
        // now.
        const QString runs = PdfRunsRoot();
        InstallPdfRunCleanupOnSignals();
        RemoveAbandonedPdfRunFolders();
        if (!usableRuntimeDirectory(qgetenv("XDG_RUNTIME_DIR"))) {
            // One private folder kept for every run, so that nothing is left per run.
            const QString runtime = runs + QStringLiteral("/runtime");
            if (QDir().mkpath(runtime) &&
                QFile::setPermissions(runtime,
                                      QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
                qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    const std::optional<QStringList> decoded = decodeArguments(argc, argv);
    if (!decoded)
        return 2;
    QStringList args = *decoded;
    if (args.isEmpty() || args.first() == QStringLiteral("--help") ||
        args.first() == QStringLiteral("-h")) {
        printOut(Usage);
        return args.isEmpty() ? 2 : 0;
    }
    const QString command = args.takeFirst();
    if (command == QStringLiteral("show"))
        return showCommand(args);
    if (command == QStringLiteral("index"))
        return indexCommand(args);
    if (command == QStringLiteral("list"))
        return listCommand(args);
    if (command == QStringLiteral("screen"))
        return screenCommand(args);
    if (command == QStringLiteral("export"))
        return exportCommand(args);
    if (command == QStringLiteral("gif"))
        return gifCommand(args);
    if (command == QStringLiteral("check"))
        return checkCommand(args);
    if (command == QStringLiteral("find"))
        return findCommand(args);
    if (command == QStringLiteral("print"))
        return printCommand(args);
    if (command == QStringLiteral("level"))
        return levelCommand(args);
    if (command == QStringLiteral("compare"))
        return compareCommand(args);
    printError(QStringLiteral("lobeview-cli: unknown command '%1'").arg(command));
    printError(QString::fromLatin1(Usage));
    return 2;
}
