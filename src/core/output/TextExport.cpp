// SPDX-License-Identifier: MIT
#include "output/TextExport.h"

#include "base/Prompter.h"
#include "base/SaveFile.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>

QByteArray TextCopyBytes(QByteArrayView source) {
    const qsizetype nul = source.indexOf('\0');
    if (nul >= 0)
        source = source.first(nul);
    QByteArray out;
    out.reserve(source.size() + source.size() / 16 + 2);
    qsizetype start = 0;
    const qsizetype n = source.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && source[end] != '\r' && source[end] != '\n')
            ++end;
        out.append(source.sliced(start, end - start));
        out.append("\r\n", 2);
        if (end < n && source[end] == '\r') {
            ++end;
            if (end < n && source[end] == '\n')
                ++end;
        } else if (end < n) {
            ++end;
        }
        start = end;
    }
    return out;
}

std::optional<QString> WriteTextCopy(const QString& source, const QString& target) {
    // Only a plain file is read: a pipe or a device named like a data file is never opened.
    if (!QFileInfo(source).isFile())
        return cannotOpenMessage(source);
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return cannotOpenMessage(source);
    const QByteArray bytes = in.readAll();
    if (in.error() != QFileDevice::NoError)
        return cannotOpenMessage(source);
    in.close();
    return saveWhole(target, TextCopyBytes(bytes));
}

bool ExportTextData(const QString& source, const QString& target, Prompter& prompter) {
    if (const auto error = WriteTextCopy(source, target)) {
        prompter.error(*error);
        return false;
    }
    prompter.message(QDir::toNativeSeparators(target) + QStringLiteral(" successfully created."));
    return true;
}
