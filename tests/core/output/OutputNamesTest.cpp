// SPDX-License-Identifier: MIT
// Names and places of exported files.
#include "output/OutputNames.h"

#include <QtCore/QDir>
#include <gtest/gtest.h>

using namespace output;

TEST(OutputNames, RpeNumberCannotLeaveItsFolder) {
    EXPECT_EQ(FileNameRpe("12345"), QStringLiteral("12345"));
    EXPECT_EQ(FileNameRpe(""), QStringLiteral("RPE"));
    EXPECT_EQ(FileNameRpe("../.."), QStringLiteral("_____"));
    EXPECT_EQ(FileNameRpe("a/b\\c"), QStringLiteral("a_b_c"));
    EXPECT_EQ(FileNameRpe(QByteArrayView("1\0002", 3)), QStringLiteral("1_2"));
    EXPECT_EQ(FileNameRpe("7\t8"), QStringLiteral("7_8"));
    EXPECT_EQ(FileNameRpe("a...b"), QStringLiteral("a___b"));
    // A single dot, blanks and other printable characters are kept.
    EXPECT_EQ(FileNameRpe("1.5 A"), QStringLiteral("1.5 A"));
    EXPECT_EQ(FileNameRpe("\xe9t"), QStringLiteral("\u00e9t"));
}

TEST(OutputNames, PresetsPerKindWithTheDatVariants) {
    const QString p = QStringLiteral("/opt/lv/");
    EXPECT_EQ(ExportPreset(ExportKind::ChartJpg, QStringLiteral("/out/JPG"), "12345", p),
              QStringLiteral("/out/JPG/12345.jpg"));
    EXPECT_EQ(ExportPreset(ExportKind::ChartGif, QStringLiteral("/out/GIF/"), "12345", p),
              QStringLiteral("/out/GIF/12345.gif"));
    EXPECT_EQ(ExportPreset(ExportKind::ChartPdf, QStringLiteral("PDF"), "12345", p),
              QStringLiteral("/opt/lv/PDF/12345.pdf"));
    EXPECT_EQ(ExportPreset(ExportKind::DataPdf, QStringLiteral("PDF"), "12345", p),
              QStringLiteral("/opt/lv/PDF/12345dat.pdf"));
    EXPECT_EQ(ExportPreset(ExportKind::DataText, QStringLiteral("/any"), "12345", p),
              QStringLiteral("12345.txt"));
    EXPECT_EQ(ExportPreset(ExportKind::ChartJpg, QString(), "../x", p),
              QStringLiteral("/opt/lv/___x.jpg"));
    EXPECT_EQ(ExportPreset(ExportKind::ChartPdf, QStringLiteral("~/PDF"), "", p),
              QDir::homePath() + QStringLiteral("/PDF/RPE.pdf"));
}

TEST(OutputNames, LocationTexts) {
    const QString p = QStringLiteral("/opt/lv/");
    EXPECT_EQ(ResolveLocation(QStringLiteral("/abs/JPG"), p), QStringLiteral("/abs/JPG"));
    EXPECT_EQ(ResolveLocation(QStringLiteral("JPG"), p), QStringLiteral("/opt/lv/JPG"));
    EXPECT_EQ(ResolveLocation(QStringLiteral("../out"), p), QStringLiteral("/opt/lv/../out"));
    EXPECT_EQ(ResolveLocation(QStringLiteral("~"), p), QDir::homePath());
    EXPECT_EQ(ResolveLocation(QStringLiteral("~/a b"), p),
              QDir::homePath() + QStringLiteral("/a b"));
    EXPECT_EQ(ResolveLocation(QStringLiteral("~x"), p), QStringLiteral("/opt/lv/~x"));
    EXPECT_EQ(ResolveLocation(QString(), p), QString());
}

TEST(OutputNames, ExtensionOnlyAfterTheLastSeparator) {
    EXPECT_EQ(PdfTargetPath(QStringLiteral("/out/my.report.pdf")),
              QStringLiteral("/out/my.report.pdf"));
    EXPECT_EQ(WithoutExtension(QStringLiteral("/out/my.report.pdf")),
              QStringLiteral("/out/my.report"));
    EXPECT_EQ(PdfTargetPath(QStringLiteral("/out/report")), QStringLiteral("/out/report.pdf"));
    EXPECT_EQ(PdfTargetPath(QStringLiteral("/out/.report")), QStringLiteral("/out/.report.pdf"));
    EXPECT_EQ(PdfTargetPath(QStringLiteral("/out/..report")), QStringLiteral("/out/..report.pdf"));
    EXPECT_EQ(PdfTargetPath(QStringLiteral("/out.d/report")), QStringLiteral("/out.d/report.pdf"));
    EXPECT_EQ(PdfTargetPath(QStringLiteral("/out/chart.gif")), QStringLiteral("/out/chart.pdf"));
    EXPECT_EQ(PdfTargetPath(QStringLiteral("/out/a.")), QStringLiteral("/out/a.pdf"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/t/12345"), QStringLiteral("txt")),
              QStringLiteral("/t/12345.txt"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/t/.notes"), QStringLiteral("txt")),
              QStringLiteral("/t/.notes.txt"));
    EXPECT_EQ(WithDefaultExtension(QStringLiteral("/t/a.dat"), QStringLiteral("txt")),
              QStringLiteral("/t/a.dat"));
}
