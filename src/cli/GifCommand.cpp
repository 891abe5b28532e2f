#include "cli/Commands.h"

int gifCommand(const QStringList&) {
    printError(QStringLiteral("lobeview-cli gif: not available yet"));
    return 2;
}
