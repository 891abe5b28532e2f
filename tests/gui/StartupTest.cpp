// SPDX-License-Identifier: MIT
// Start-up: the twelve windows, the settings written at close, and the desktop registration.
#include "AppContext.h"
#include "AppWindows.h"
#include "TestUtils.h"
#include "base/Prompter.h"
#include "dialogs/OutputFoldersDialog.h"
#include "graph/GraphSession.h"
#include "graph/GraphWindow.h"
#include "selection/DataFolderDialog.h"
#include "selection/SelectionWindow.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDir>
#include <QtCore/QProcess>
#include <QtCore/QStandardPaths>
#include <QtGui/QAction>
#include <QtGui/QFileSystemModel>
#include <QtGui/QStatusTipEvent>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QTreeView>
#include <gtest/gtest.h>

namespace {

struct Harness {
    testutils::Sandbox box;
    RecordingPrompter prompter;
    QStringList toolCalls;
    std::optional<QString> toolFailure;

    AppEnvironment env() {
        AppEnvironment e;
        e.programDir = box.path(QStringLiteral("prog")) + QLatin1Char('/');
        QDir().mkpath(e.programDir);
        e.programFile = e.programDir + QStringLiteral("lobeview");
        testutils::writeFile(e.programFile, "#!/bin/sh\n");
        e.settingsFile = box.path(QStringLiteral("config/Quelda.conf"));
        e.desktop.dataHome = box.path(QStringLiteral("share"));
        e.desktop.configHome = box.path(QStringLiteral("config"));
        e.runDesktopTool = [this](const QString& program, const QStringList&) {
            toolCalls << program;
            return toolFailure;
        };
        e.prompter = &prompter;
        return e;
    }
    QByteArray settingsText() {
        return testutils::readFile(box.path(QStringLiteral("config/Quelda.conf")));
    }
};

} // namespace

TEST(Startup, CreatesTheTwelveWindowsHiddenInOrder) {
    Harness h;
    AppWindows w(h.env());
    const QStringList captions = {QStringLiteral("Quelda Lobeview"),
                                  QStringLiteral("RefreshForm"),
                                  QStringLiteral("File Index Display"),
                                  QStringLiteral("Graph Form"),
                                  QStringLiteral("Legend"),
                                  QStringLiteral("Choose RPE and Date"),
                                  QStringLiteral("Pen Width"),
                                  QStringLiteral("Select Location"),
                                  QStringLiteral("File Locations"),
                                  QStringLiteral("Print Options"),
                                  QStringLiteral("Export Graph Options"),
                                  QStringLiteral("Export Data Options")};
    const char* classes[] = {"SelectionWindow",    "RebuildWindow",       "IndexTableWindow",
                             "GraphWindow",        "LegendWindow",        "ModelChooserDialog",
                             "PenWidthDialog",     "DataFolderDialog",    "OutputFoldersDialog",
                             "PrintOptionsDialog", "ExportOptionsDialog", "ExportDataDialog"};
    const QList<QWidget*> all = w.inCreationOrder();
    ASSERT_EQ(all.size(), 12);
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(all[i]->windowTitle(), captions[i]);
        EXPECT_STREQ(all[i]->metaObject()->className(), classes[i]);
        EXPECT_FALSE(all[i]->isVisible());
        EXPECT_TRUE(all[i]->isWindow());
    }
    EXPECT_TRUE(w.select->createdHint().startsWith(QStringLiteral("Lobeview Created: ")));
    EXPECT_TRUE(h.prompter.errors.isEmpty());
}

TEST(Startup, RegistersOnceAndClosingStoresAllTwelveValues) {
    Harness h;
    {
        AppWindows w(h.env());
        EXPECT_EQ(h.toolCalls, (QStringList{QStringLiteral("update-mime-database"),
                                            QStringLiteral("update-desktop-database"),
                                            QStringLiteral("xdg-mime")}));
        EXPECT_TRUE(w.context->shellSettings().Associated);
        w.graph->session().set(GraphSession::MakeJpg, true);
        w.select->show();
        w.select->close();
    }
    QByteArray text = h.settingsText();
    for (const char* line : {"Associated=1", "PenColor=0", "MakeGIF=0", "MakeJPG=1", "MakePDF=0",
                             "PrintGraph=1", "PrintData=0", "PrintPause=0"})
        EXPECT_TRUE(text.contains(line)) << line;
    for (const char* name : {"SourceDir=", "JPGfiles=", "GIFfiles=", "PDFfiles="})
        EXPECT_TRUE(text.contains(name)) << name;

    // Second start: registered already, and the graph window reads its options back.
    h.toolCalls.clear();
    {
        AppWindows w(h.env());
        EXPECT_TRUE(h.toolCalls.isEmpty());
        EXPECT_TRUE(w.graph->session().isOn(GraphSession::MakeJpg));
        EXPECT_TRUE(w.graph->session().isOn(GraphSession::Graph));
        w.select->close();
    }
    EXPECT_EQ(h.settingsText(), text);
}

TEST(Startup, FailedRegistrationIsReportedAndTriedAgainNextTime) {
    Harness h;
    h.toolFailure = QStringLiteral("update-mime-database failed (exit code 1)");
    {
        AppWindows w(h.env());
        EXPECT_EQ(h.prompter.errors, QStringList{*h.toolFailure});
        EXPECT_FALSE(w.context->shellSettings().Associated);
        w.select->close();
    }
    EXPECT_TRUE(h.settingsText().contains("Associated=0"));
    // A run that ends without closing the main window stores nothing...
    h.toolFailure.reset();
    h.toolCalls.clear();
    { AppWindows w(h.env()); }
    EXPECT_TRUE(h.settingsText().contains("Associated=0"));
    // ... so the next start registers again.
    h.toolCalls.clear();
    { AppWindows w(h.env()); }
    EXPECT_EQ(h.toolCalls.size(), 3);
}

TEST(Startup, RegistrationWritesAFolderItCannotCreateAsAnError) {
    Harness h;
    AppEnvironment env = h.env();
    testutils::writeFile(h.box.path(QStringLiteral("blocked")), "a file, not a folder");
    env.desktop.dataHome = h.box.path(QStringLiteral("blocked"));
    AppWindows w(env);
    ASSERT_EQ(h.prompter.errors.size(), 1);
    EXPECT_TRUE(h.prompter.errors[0].contains(QStringLiteral("blocked")));
    EXPECT_FALSE(w.context->shellSettings().Associated);
    EXPECT_TRUE(h.toolCalls.isEmpty());
}

TEST(DesktopRegistration, RealToolsMakeLobeviewTheAdfHandler) {
    for (const char* tool : {"update-mime-database", "update-desktop-database", "xdg-mime"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    // The test main points XDG_DATA_HOME and XDG_CONFIG_HOME into a sandbox.
    const DesktopLocations where = DesktopLocations::fromEnvironment();
    const QString program = QStringLiteral("/opt/Lobeview 1/lobeview");
    const auto error = registerAdfFileType(program, where);
    ASSERT_FALSE(error) << error->toStdString();

    const QByteArray entry =
        testutils::readFile(where.dataHome + QStringLiteral("/applications/lobeview.desktop"));
    EXPECT_TRUE(entry.contains("Exec=\"/opt/Lobeview 1/lobeview\" %f\n"));
    EXPECT_TRUE(entry.contains("MimeType=application/x-nsma-adf;"));
    EXPECT_TRUE(
        QFileInfo::exists(where.dataHome + QStringLiteral("/mime/application/x-nsma-adf.xml")));
    EXPECT_TRUE(QFileInfo::exists(
        where.dataHome +
        QStringLiteral("/icons/hicolor/48x48/mimetypes/application-x-nsma-adf.png")));

    QProcess q;
    q.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                         QStringLiteral("application/x-nsma-adf")});
    ASSERT_TRUE(q.waitForFinished(30000));
    EXPECT_EQ(q.readAllStandardOutput().trimmed(), QByteArray("lobeview.desktop"));

    if (!QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate")).isEmpty()) {
        QProcess v;
        v.start(QStringLiteral("desktop-file-validate"),
                {where.dataHome + QStringLiteral("/applications/lobeview.desktop")});
        ASSERT_TRUE(v.waitForFinished(30000));
        EXPECT_EQ(v.exitCode(), 0) << v.readAll().toStdString();
    }
}

namespace {

// Notes every object the moment it is given a parent, and every parent the first time a child is
// added to it: the order in which the windows come into being.
class CreationOrder : public QObject {
public:
    CreationOrder() { QCoreApplication::instance()->installEventFilter(this); }
    ~CreationOrder() override { QCoreApplication::instance()->removeEventFilter(this); }
    QList<const QObject*> seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ChildAdded) {
            note(watched);
            note(static_cast<QChildEvent*>(event)->child());
        } else if (event->type() == QEvent::ChildRemoved) {
            // A child that goes away must not stand in for a later object at the same address.
            seen.removeAll(static_cast<QChildEvent*>(event)->child());
        }
        return false;
    }

private:
    void note(const QObject* o) {
        if (!seen.contains(o))
            seen << o;
    }
};

} // namespace

TEST(Startup, TheTwelveWindowsComeIntoBeingInTheirOrder) {
    Harness h;
    QStringList order;
    {
        CreationOrder watch;
        AppWindows w(h.env());
        const QList<QWidget*> windows = w.inCreationOrder();
        for (const QObject* o : watch.seen)
            for (const QWidget* window : windows)
                if (o == window)
                    order << QString::fromLatin1(window->metaObject()->className());
    }
    EXPECT_EQ(
        order,
        (QStringList{QStringLiteral("SelectionWindow"), QStringLiteral("RebuildWindow"),
                     QStringLiteral("IndexTableWindow"), QStringLiteral("GraphWindow"),
                     QStringLiteral("LegendWindow"), QStringLiteral("ModelChooserDialog"),
                     QStringLiteral("PenWidthDialog"), QStringLiteral("DataFolderDialog"),
                     QStringLiteral("OutputFoldersDialog"), QStringLiteral("PrintOptionsDialog"),
                     QStringLiteral("ExportOptionsDialog"), QStringLiteral("ExportDataDialog")}));
}

TEST(Startup, TheHintCarriesTheProgramFilesOwnDate) {
    Harness h;
    AppEnvironment env = h.env();
    {
        QFile program(env.programFile);
        ASSERT_TRUE(program.open(QIODevice::ReadWrite));
        ASSERT_TRUE(program.setFileTime(QDateTime(QDate(2003, 4, 5), QTime(13, 30)),
                                        QFileDevice::FileModificationTime));
    }
    AppWindows w(env);
    const QString date = QLocale::system().toString(QDate(2003, 4, 5), QLocale::ShortFormat);
    ASSERT_FALSE(date.isEmpty());
    EXPECT_EQ(w.select->createdHint(), QStringLiteral("Lobeview Created: ") + date);
    // Shown at once, and again whenever the pointer rests on the window itself.
    const auto* panel = w.select->findChild<QLabel*>(QStringLiteral("hintPanel"));
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->text(), w.select->createdHint());
    QStatusTipEvent tip(QString{});
    QCoreApplication::sendEvent(w.select->rangeList, &tip);
    EXPECT_EQ(panel->text(), w.select->createdHint());
}

TEST(DesktopRegistration, ARegistrationFoundInPlaceStartsNoTool) {
    for (const char* tool : {"update-mime-database", "update-desktop-database", "xdg-mime"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    const DesktopLocations where = DesktopLocations::fromEnvironment();
    const QString program = QStringLiteral("/usr/bin/lobeview");
    ASSERT_FALSE(registerAdfFileType(program, where));

    // A start whose last run ended without storing "Associated": everything is in place.
    QStringList started;
    const CommandRunner recording = [&started](const QString& tool, const QStringList& args) {
        started << tool;
        return runDesktopTool(tool, args);
    };
    ASSERT_FALSE(registerAdfFileType(program, where, recording));
    EXPECT_TRUE(started.isEmpty()) << started.join(u' ').toStdString();

    // The program moved: only the desktop entry changed, and only its cache is remade.
    ASSERT_FALSE(registerAdfFileType(QStringLiteral("/opt/lobeview/lobeview"), where, recording));
    EXPECT_EQ(started, QStringList{QStringLiteral("update-desktop-database")});
    // The default application was taken from the user: it is set again.
    started.clear();
    QFile::remove(where.configHome + QStringLiteral("/mimeapps.list"));
    ASSERT_FALSE(registerAdfFileType(QStringLiteral("/opt/lobeview/lobeview"), where, recording));
    EXPECT_EQ(started, QStringList{QStringLiteral("xdg-mime")});
}

TEST(Startup, HiddenFolderDialogsListNothingUntilShown) {
    // Both folder pickers exist from the start; neither lists a folder or the volumes before it
    // is shown, and the first show puts the tree at the folder chosen meanwhile.
    Harness h;
    AppWindows w(h.env());
    for (QComboBox* volumes : {w.directory->driveBox(), w.fileLocations->driveBox()})
        EXPECT_EQ(volumes->count(), 0);
    const QString folder = h.box.path(QStringLiteral("prog"));
    w.directory->setCurrentDirectory(folder);
    EXPECT_EQ(w.directory->currentDirectory(), folder);
    EXPECT_FALSE(w.directory->folderTree->currentIndex().isValid());

    w.directory->show();
    EXPECT_GT(w.directory->driveBox()->count(), 0);
    const auto* model = static_cast<const QFileSystemModel*>(w.directory->folderTree->model());
    EXPECT_EQ(model->filePath(w.directory->folderTree->currentIndex()), folder);
    EXPECT_EQ(w.fileLocations->driveBox()->count(), 0);
    w.directory->hide();
}
