// SPDX-License-Identifier: MIT
#pragma once
// Helpers shared by the test programs.
#include <QtCore/QByteArray>
#include <QtCore/QObject>
#include <QtCore/QProcessEnvironment>
#include <QtCore/QString>
#include <QtCore/QTemporaryDir>
#include <optional>

namespace testutils {

// Absolute path of a file under tests/data.
QString dataPath(const QString& relative);

// Absolute path of the sample catalogue shipped with the program.
QString samplePath(const QString& relative = {});

// Absolute path of the batch tool built with the tests.
QString cliPath();

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

// The smallest complete PDF (no pages), with `note` in a comment line: what a stand-in PDF
// converter writes.
QByteArray minimalPdf(const QByteArray& note = {});

// A temporary folder that is removed at the end of the test.
class Sandbox {
public:
    Sandbox();
    QString path(const QString& relative = {}) const;
    bool write(const QString& relative, const QByteArray& bytes) const;

private:
    QTemporaryDir dir_;
};

struct CliResult {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the batch tool with the given arguments (and environment, when one is given) and waits
// for it.
CliResult runCli(const QStringList& args, const QString& workingDir = {},
                 const std::optional<QProcessEnvironment>& environment = std::nullopt);

// The child of `parent` of type T named `name` (its objectName); null when there is none.
template <class T> T* child(const QObject& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

} // namespace testutils
