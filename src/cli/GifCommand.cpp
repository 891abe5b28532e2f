// SPDX-License-Identifier: MIT
#include "cli/Commands.h"
#include "output/GifImage.h"

#include <QtGui/QImageReader>

int gifCommand(const QStringList& args) {
    QString input;
    QString output;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QStringLiteral("-o")) {
            if (i + 1 >= args.size()) {
                printError(QStringLiteral("lobeview-cli gif: -o needs a file name"));
                return 2;
            }
            output = args[++i];
        } else if (a.startsWith(QLatin1Char('-')) && a.size() > 1) {
            printError(QStringLiteral("lobeview-cli gif: unknown option %1").arg(a));
            return 2;
        } else if (input.isEmpty()) {
            input = a;
        } else {
            printError(QStringLiteral("lobeview-cli gif: more than one input image"));
            return 2;
        }
    }
    if (input.isEmpty() || output.isEmpty()) {
        printError(QStringLiteral("usage: lobeview-cli gif IN -o OUT.gif"));
        return 2;
    }

    QImageReader reader(input);
    const QImage image = reader.read();
    if (image.isNull()) {
        printError(QStringLiteral("Cannot read image %1: %2").arg(input, reader.errorString()));
        return 1;
    }
    GifImage gif;
    gif.Assign(image);
    if (const auto error = gif.SaveToFile(output)) {
        printError(fileError(output, *error));
        return 1;
    }
    return 0;
}
