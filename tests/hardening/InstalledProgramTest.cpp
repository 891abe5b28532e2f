// SPDX-License-Identifier: MIT
// The program as a user gets it: installed with `cmake --install` into a prefix that is not
// writable, and the folder rules behind it. It finds its sample catalogue and mask table under
// share/lobeview and writes its own files to the per-user data folder; from the build folder it
// keeps everything beside itself.
#include "HardeningSupport.h"
#include "TestUtils.h"
#include "base/DesktopRegistration.h"
#include "base/PdfCheck.h"
#include "base/ProgramPaths.h"
#include "base/Settings.h"

#include <QtCore/QDir>
#include <QtCore/QDirIterator>
#include <QtCore/QElapsedTimer>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtCore/QThread>
#include <gtest/gtest.h>

namespace {

// Every file under a folder, relative to it, sorted.
QStringList tree(const QString& root) {
    QStringList out;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QDir(root).relativeFilePath(it.next());
    out.sort();
    return out;
}

struct Installed {
    testutils::Sandbox box;
    // Gives the write bits back, so that the sandbox can be removed.
    ~Installed() {
        QDirIterator dirs(prefix(), QDir::Dirs | QDir::NoDotAndDotDot,
                          QDirIterator::Subdirectories);
        while (dirs.hasNext())
            QFile::setPermissions(dirs.next(),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(prefix(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QString prefix() const { return box.path(QStringLiteral("usr")); }
    QString bin(const QString& name) const { return prefix() + QStringLiteral("/bin/") + name; }
    QString share() const { return prefix() + QStringLiteral("/share"); }
    QString userData() const { return box.path(QStringLiteral("home/data/Quelda/Lobeview")); }

    QString install() const {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(QStringLiteral(LOBEVIEW_CMAKE_COMMAND),
                {QStringLiteral("--install"), QStringLiteral(LOBEVIEW_BUILD_DIR),
                 QStringLiteral("--prefix"), prefix()});
        if (!p.waitForFinished(300000) || p.exitCode() != 0)
            return QString::fromLocal8Bit(p.readAll());
        return {};
    }
    // The user's environment: own home, data and config folders, no display.
    QProcessEnvironment environment() const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), box.path(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_DATA_HOME"), box.path(QStringLiteral("home/data")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), box.path(QStringLiteral("home/config")));
        env.insert(QStringLiteral("XDG_CACHE_HOME"), box.path(QStringLiteral("home/cache")));
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }
    struct Run {
        int exitCode = -1;
        QByteArray out;
        QByteArray err;
    };
    // As root the program is run as the user "nobody", whose home the sandbox's home becomes.
    Run run(const QString& program, const QStringList& args, bool asPlainUser = false) const {
        QProcess p;
        QProcessEnvironment env = environment();
        if (asPlainUser)
            env.remove(QStringLiteral("XDG_RUNTIME_DIR")); // as under cron or ssh
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(box.path(QStringLiteral("home")));
        if (asPlainUser && hardening::runningAsRoot()) {
            QFile::setPermissions(box.path(), QFile::permissions(box.path()) | QFile::ExeOther |
                                                  QFile::ReadOther);
            QProcess::execute(QStringLiteral("chown"),
                              {QStringLiteral("-R"), QStringLiteral("65534:65534"),
                               box.path(QStringLiteral("home"))});
            p.start(QStringLiteral("setpriv"),
                    QStringList{QStringLiteral("--reuid=65534"), QStringLiteral("--regid=65534"),
                                QStringLiteral("--clear-groups"), QStringLiteral("--"), program} +
                        args);
        } else {
            p.start(program, args);
        }
        Run r;
        if (!p.waitForFinished(120000))
            return r;
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = p.readAllStandardOutput();
        r.err = p.readAllStandardError();
        return r;
    }
};

} // namespace

TEST(InstalledProgram, RunsFromAReadOnlyPrefixAndWritesToTheUserDataFolder) {
    Installed i;
    QDir().mkpath(i.box.path(QStringLiteral("home")));
    const QString error = i.install();
    ASSERT_TRUE(error.isEmpty()) << error.toStdString();

    // The layout: programs, shipped data, desktop entry, MIME package and icons.
    const QStringList files = tree(i.prefix());
    for (const char* expected :
         {"bin/lobeview", "bin/lobeview-cli", "share/lobeview/NSMAData/QS1-212.adf",
          "share/lobeview/NSMAData/ZZX10-60L.adf", "share/lobeview/masks/fcc-101-115.csv",
          "share/applications/lobeview.desktop", "share/mime/packages/lobeview-nsma-adf.xml",
          "share/icons/hicolor/48x48/apps/lobeview.png",
          "share/icons/hicolor/256x256/apps/lobeview.png",
          "share/icons/hicolor/scalable/apps/lobeview.svg",
          "share/icons/hicolor/48x48/mimetypes/application-x-nsma-adf.png",
          "share/icons/hicolor/256x256/mimetypes/application-x-nsma-adf.png",
          "share/icons/hicolor/scalable/mimetypes/application-x-nsma-adf.svg"})
        EXPECT_TRUE(files.contains(QLatin1String(expected))) << expected;
    EXPECT_EQ(QDir(i.share() + QStringLiteral("/lobeview/NSMAData")).entryList(QDir::Files),
              QDir(testutils::samplePath()).entryList(QDir::Files));

    // Not writable: as root a read-only bind of the prefix onto itself, else no write bits.
    std::unique_ptr<hardening::ReadOnlyBind> readOnly;
    if (hardening::runningAsRoot()) {
        readOnly = std::make_unique<hardening::ReadOnlyBind>(i.prefix());
        if (!readOnly->unavailableReason().isEmpty())
            GTEST_SKIP() << "the prefix cannot be made read-only: "
                         << readOnly->unavailableReason().toStdString();
    } else {
        for (const QString& f : files)
            QFile::setPermissions(i.prefix() + u'/' + f,
                                  QFile::permissions(i.prefix() + u'/' + f) &
                                      ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup |
                                        QFile::WriteOther));
        QDirIterator dirs(i.prefix(), QDir::Dirs | QDir::NoDotAndDotDot,
                          QDirIterator::Subdirectories);
        while (dirs.hasNext())
            QFile::setPermissions(dirs.next(), QFile::ReadOwner | QFile::ExeOwner);
        QFile::setPermissions(i.prefix(), QFile::ReadOwner | QFile::ExeOwner);
    }

    // The batch tool finds the installed mask table and reads the installed catalogue.
    Installed::Run r = i.run(i.bin(QStringLiteral("lobeview-cli")),
                             {QStringLiteral("check"), QStringLiteral("--catalogue"),
                              i.share() + QStringLiteral("/lobeview/NSMAData"),
                              QStringLiteral("-o"), i.box.path(QStringLiteral("home/report.csv"))});
    EXPECT_NE(r.exitCode, 2) << r.err.constData();
    EXPECT_TRUE(r.err.isEmpty()) << r.err.constData();
    r = i.run(
        i.bin(QStringLiteral("lobeview-cli")),
        {QStringLiteral("show"), i.share() + QStringLiteral("/lobeview/NSMAData/QS8-59.adf")});
    EXPECT_EQ(r.exitCode, 0) << r.err.constData();

    // A plain user makes a PDF through htmldoc: the temporaries go to a private folder of the
    // user's, never beside the program.
    if (!QStandardPaths::findExecutable(QStringLiteral("htmldoc")).isEmpty()) {
        const QString pdf = i.box.path(QStringLiteral("home/chart.pdf"));
        r = i.run(i.bin(QStringLiteral("lobeview-cli")),
                  {QStringLiteral("export"),
                   i.share() + QStringLiteral("/lobeview/NSMAData/ZZX10-60L.adf"),
                   QStringLiteral("--page"), QStringLiteral("chart"), QStringLiteral("--format"),
                   QStringLiteral("pdf"), QStringLiteral("-o"), pdf},
                  true);
        EXPECT_EQ(r.exitCode, 0) << r.err.constData();
        EXPECT_EQ(r.out, (pdf + QStringLiteral(" successfully created.\n")).toLocal8Bit());
        EXPECT_TRUE(IsCompletePdfFile(pdf));
        EXPECT_EQ(QDir(i.box.path(QStringLiteral("home/cache/lobeview")))
                      .entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                  QStringList{QStringLiteral("runtime")});
    }

    // The window starts on the installed catalogue and keeps its index in the user's folder.
    QProcess gui;
    gui.setProcessEnvironment(i.environment());
    gui.setWorkingDirectory(i.box.path(QStringLiteral("home")));
    gui.start(i.bin(QStringLiteral("lobeview")), {});
    ASSERT_TRUE(gui.waitForStarted(30000));
    const QString index = i.userData() + QStringLiteral("/FileIndx.dat");
    QElapsedTimer waited;
    waited.start();
    // The index is written when the first start has rebuilt it from the sample catalogue.
    while (QFileInfo(index).size() < 17 * 380 && gui.state() == QProcess::Running &&
           waited.elapsed() < 120000)
        gui.waitForFinished(50);
    EXPECT_EQ(gui.state(), QProcess::Running) << gui.readAllStandardError().constData();
    gui.kill();
    gui.waitForFinished(10000);
    EXPECT_EQ(QFileInfo(index).size(), 17 * 380);
    EXPECT_EQ(tree(i.prefix()), files); // nothing written beside the program
}

TEST(InstalledProgram, TheShippedDesktopFilesMatchTheRegistration) {
    // The package installs the same MIME type and the same entry (for the program on the PATH)
    // as the per-user registration writes.
    EXPECT_EQ(testutils::readFile(
                  QStringLiteral(LOBEVIEW_SOURCE_DIR "/resources/desktop/lobeview-nsma-adf.xml")),
              mimePackage());
    EXPECT_EQ(testutils::readFile(
                  QStringLiteral(LOBEVIEW_SOURCE_DIR "/resources/desktop/lobeview.desktop")),
              desktopEntry(QStringLiteral("lobeview")));
}

TEST(ProgramFolders, BuildFolderInstalledAndReadOnly) {
    testutils::Sandbox box;
    const QString userData = paths::userDataDirectory();

    // A build folder: the catalogue beside the program; everything stays there.
    const QString build = box.path(QStringLiteral("build/bin/"));
    QDir().mkpath(build + QStringLiteral("NSMAData"));
    EXPECT_FALSE(paths::isInstalled(build));
    EXPECT_EQ(paths::resourceDirectory(build), build);
    EXPECT_EQ(paths::filesDirectory(build), build);
    EXPECT_EQ(ShellSettings::defaults(build, paths::resourceDirectory(build)).SourceDir,
              build + QStringLiteral("NSMAdata"));

    // Installed as PREFIX/bin: shipped files under share/lobeview, own files in the user's folder
    // even where the program folder could be written (root running /usr/bin/lobeview).
    const QString bin = box.path(QStringLiteral("usr/bin/"));
    QDir().mkpath(bin);
    QDir().mkpath(box.path(QStringLiteral("usr/share/lobeview/NSMAData")));
    EXPECT_TRUE(paths::isInstalled(bin));
    EXPECT_EQ(paths::resourceDirectory(bin), box.path(QStringLiteral("usr/share/lobeview/")));
    EXPECT_EQ(paths::filesDirectory(bin), userData);
    EXPECT_TRUE(QFileInfo(userData).isDir());
    const ShellSettings installed =
        ShellSettings::defaults(userData, paths::resourceDirectory(bin));
    EXPECT_EQ(installed.SourceDir, box.path(QStringLiteral("usr/share/lobeview/NSMAdata")));
    EXPECT_EQ(installed.JPGfiles, userData + QStringLiteral("JPG"));
    EXPECT_EQ(paths::dataDirectory(installed.SourceDir, paths::resourceDirectory(bin)),
              box.path(QStringLiteral("usr/share/lobeview/NSMAData")));

    // A self-contained folder that cannot be written.
    const QString folder = box.path(QStringLiteral("portable/"));
    QDir().mkpath(folder + QStringLiteral("NSMAData"));
    std::unique_ptr<hardening::ReadOnlyBind> readOnly;
    if (hardening::runningAsRoot()) {
        readOnly = std::make_unique<hardening::ReadOnlyBind>(folder);
        if (!readOnly->unavailableReason().isEmpty())
            GTEST_SKIP() << "no read-only folder: " << readOnly->unavailableReason().toStdString();
    } else {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
    }
    EXPECT_EQ(paths::resourceDirectory(folder), folder);
    EXPECT_EQ(paths::filesDirectory(folder), userData);
    if (!readOnly)
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProgramFolders, UserDataFolderFollowsXdgDataHome) {
    const QByteArray saved = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/srv/someone/data/");
    EXPECT_EQ(paths::userDataDirectory(), QStringLiteral("/srv/someone/data/Quelda/Lobeview/"));
    // Unset, or relative (which the base directory rules ignore): ~/.local/share.
    const QString home = QDir::homePath() + QStringLiteral("/.local/share/Quelda/Lobeview/");
    qputenv("XDG_DATA_HOME", "relative/data");
    EXPECT_EQ(paths::userDataDirectory(), home);
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(paths::userDataDirectory(), home);
    qputenv("XDG_DATA_HOME", saved);
}
