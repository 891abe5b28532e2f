// SPDX-License-Identifier: MIT
// Shared main for every test program: isolates the user's configuration and data folders in a
// temporary sandbox before Qt reads them, then runs GoogleTest inside a Qt application object.
#include <QtCore/QDir>
#include <QtCore/QTemporaryDir>

#ifdef LOBEVIEW_TEST_GUI
#include <QtWidgets/QApplication>
using TestApplication = QApplication;
#else
#include <QtGui/QGuiApplication>
using TestApplication = QGuiApplication;
#endif

#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    const QByteArray root = QFile::encodeName(home.path());
    qputenv("XDG_CONFIG_HOME", root + "/config");
    qputenv("XDG_DATA_HOME", root + "/data");
    qputenv("XDG_CACHE_HOME", root + "/cache");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QDir().mkpath(home.path() + QStringLiteral("/config"));
    QDir().mkpath(home.path() + QStringLiteral("/data"));

    TestApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
