// lobeview-cli: the program's core without windows, for scripts and batch work.
#include "cli/Commands.h"

#include <QtGui/QGuiApplication>
#include <cstdio>
#include <memory>

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
    "        file's pattern as JSON. The feed orientation comes from the file's header\n"
    "        unless --feed is given\n"
    "  screen FILE.adf -o OUT.png [--feed TEXT]\n"
    "        draw the 960 x 400 screen chart of a data file\n"
    "  gif IN -o OUT.gif\n"
    "        write an image (PNG, BMP, PPM) as a 256-colour GIF with the program's encoder\n"
    "  check FILE.adf... [--category A|B] [--json] [--masks TABLE.csv]\n"
    "        check envelopes against the FCC 101.115 antenna standards of their band;\n"
    "        exit 0 when every file passes the category (default A), 1 when one does not,\n"
    "        2 on errors\n"
    "  check --catalogue DIR -o REPORT.csv [--category A|B] [--masks TABLE.csv]\n"
    "        check every file of a catalogue into a CSV report, one row per file and category\n";
}

void printError(const QString& text) {
    const QByteArray bytes = text.toLocal8Bit() + '\n';
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stderr);
}

void printOut(const QByteArray& bytes) {
    std::fwrite(bytes.constData(), 1, static_cast<size_t>(bytes.size()), stdout);
}

int main(int argc, char** argv) {
    // Drawing commands need fonts (a GUI application object) but never a display; the others
    // need no more than the core.
    const bool draws = argc > 1 && (qstrcmp(argv[1], "screen") == 0);
    std::unique_ptr<QCoreApplication> app;
    if (draws) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }
    QStringList args = QCoreApplication::arguments().mid(1);
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
    if (command == QStringLiteral("gif"))
        return gifCommand(args);
    if (command == QStringLiteral("check"))
        return checkCommand(args);
    printError(QStringLiteral("lobeview-cli: unknown command '%1'").arg(command));
    printError(QString::fromLatin1(Usage));
    return 2;
}
