// SPDX-License-Identifier: MIT
#include "TestUtils.h"

#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtCore/QProcess>

namespace testutils {

QString dataPath(const QString& relative) {
    return QStringLiteral(LOBEVIEW_TEST_DATA_DIR "/") + relative;
}

QString samplePath(const QString& relative) {
    return relative.isEmpty() ? QStringLiteral(LOBEVIEW_SAMPLE_DIR)
                              : QStringLiteral(LOBEVIEW_SAMPLE_DIR "/") + relative;
}

QString cliPath() {
    return QStringLiteral(LOBEVIEW_CLI_PATH);
}

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

QByteArray minimalPdf(const QByteArray& note) {
    QByteArray pdf = "%PDF-1.4\n%" + note + "\n";
    const qsizetype catalog = pdf.size();
    pdf += "1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n";
    const qsizetype pages = pdf.size();
    pdf += "2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\n";
    const qsizetype xref = pdf.size();
    pdf += "xref\n0 3\n0000000000 65535 f \n";
    pdf += QByteArray::number(catalog).rightJustified(10, '0') + " 00000 n \n";
    pdf += QByteArray::number(pages).rightJustified(10, '0') + " 00000 n \n";
    pdf +=
        "trailer\n<< /Size 3 /Root 1 0 R >>\nstartxref\n" + QByteArray::number(xref) + "\n%%EOF\n";
    return pdf;
}

Sandbox::Sandbox() = default;

QString Sandbox::path(const QString& relative) const {
    return relative.isEmpty() ? dir_.path() : dir_.path() + QLatin1Char('/') + relative;
}

bool Sandbox::write(const QString& relative, const QByteArray& bytes) const {
    return writeFile(path(relative), bytes);
}

CliResult runCli(const QStringList& args, const QString& workingDir,
                 const std::optional<QProcessEnvironment>& environment) {
    QProcess p;
    if (environment)
        p.setProcessEnvironment(*environment);
    if (!workingDir.isEmpty())
        p.setWorkingDirectory(workingDir);
    p.start(cliPath(), args);
    CliResult r;
    if (!p.waitForFinished(600000))
        return r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = p.readAllStandardOutput();
    r.err = p.readAllStandardError();
    return r;
}

} // namespace testutils
