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
    "  export FILE.adf --page chart|data --format png [--color] -o OUT.png\n"
    "        draw the printed chart page or data sheet of a data file as the export image\n"
    "        (chart 2200 x 1700 for two-sided antennas, 1200 x 1500 for one-sided ones;\n"
    "        data sheet 1600 x 2000); --color for colour traces and the colour logo\n"
    "  gif IN -o OUT.gif\n"
    "        write an image (PNG, BMP, PPM) as a 256-colour GIF with the program's encoder\n";
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
    const bool draws =
        argc > 1 && (qstrcmp(argv[1], "screen") == 0 || qstrcmp(argv[1], "export") == 0);
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
    if (command == QStringLiteral("export"))
        return exportCommand(args);
    if (command == QStringLiteral("gif"))
        return gifCommand(args);
    printError(QStringLiteral("lobeview-cli: unknown command '%1'").arg(command));
    printError(QString::fromLatin1(Usage));
    return 2;
}
