// SPDX-License-Identifier: MIT
// The export option dialogs and the desktop's save dialog, each answered while its modal loop
// runs, the dialog's own question before a file is replaced among them.
#include "TestUtils.h"
#include "dialogs/ExportDataDialog.h"
#include "dialogs/ExportOptionsDialog.h"
#include "dialogs/QtSaveDialogs.h"
#include "dialogs/WaitCursor.h"
#include "output/ExportRun.h"
#include "output/VectorExportRun.h"

#include <QtCore/QTimer>
#include <QtWidgets/QApplication>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QLabel>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QTreeWidget>
#include <gtest/gtest.h>

namespace {

IndexRecord antenna(const QByteArray& model, const QByteArray& rpe) {
    IndexRecord r;
    r.setText(IndexField::ModelNumber, model);
    r.setText(IndexField::RpeNumber, rpe);
    return r;
}

QStringList rows(const QTreeWidget& list) {
    QStringList out;
    for (int i = 0; i < list.topLevelItemCount(); ++i)
        out << list.topLevelItem(i)->text(0) + QLatin1Char('|') + list.topLevelItem(i)->text(1);
    return out;
}

} // namespace

TEST(ExportOptions, LayoutCaptionsAndFirstChoice) {
    ExportOptionsDialog graph;
    EXPECT_EQ(graph.windowTitle(), QStringLiteral("Export Graph Options"));
    EXPECT_EQ(graph.size(), QSize(455, 173));
    EXPECT_EQ(graph.choiceLabel()->text(), QStringLiteral("Export Graph Options"));
    EXPECT_EQ(graph.modelLabel()->text(), QStringLiteral("Antenna Model"));
    EXPECT_EQ(graph.antennaList->geometry(), QRect(11, 31, 227, 89));
    EXPECT_EQ(graph.choiceGroup()->geometry(), QRect(264, 4, 179, 129));
    EXPECT_EQ(graph.antennaList->headerItem()->text(0), QStringLiteral("Model Number"));
    EXPECT_EQ(graph.antennaList->headerItem()->text(1), QStringLiteral("RPE Number"));
    const QRadioButton* radios[] = {graph.rbPDF, graph.rbGIF, graph.rbJPG};
    const char* captions[] = {"Export to .pdf", "Export to .gif", "Export to .jpg"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(radios[i]->text(), QLatin1String(captions[i]));
        EXPECT_EQ(radios[i]->geometry(), QRect(32, 43 + 20 * i, 113, 17));
    }
    EXPECT_TRUE(graph.rbPDF->isChecked());
    EXPECT_EQ(graph.okButton->geometry(), QRect(276, 140, 80, 28));
    EXPECT_EQ(graph.cancelButton->geometry(), QRect(363, 140, 80, 28));

    ExportDataDialog data;
    EXPECT_EQ(data.windowTitle(), QStringLiteral("Export Data Options"));
    EXPECT_EQ(data.size(), QSize(452, 173));
    EXPECT_EQ(data.choiceLabel()->geometry().topLeft(), QPoint(16, 19));
    EXPECT_EQ(data.rbPDF->text(), QStringLiteral("Export to .pdf"));
    EXPECT_EQ(data.rbTXT->text(), QStringLiteral("Export to .txt"));
    EXPECT_EQ(data.rbTXT->geometry().top(), 62);
    EXPECT_TRUE(data.rbPDF->isChecked());
}

TEST(ExportOptions, OneRowWhileShownEmptiedOnCloseChoiceRemembered) {
    ExportOptionsDialog dialog;
    QStringList seen;
    dialog.runModal = [&](QDialog&) {
        seen << rows(*dialog.antennaList).join(QLatin1Char(';'));
        dialog.rbGIF->setChecked(true);
        dialog.okButton->click();
        return dialog.result();
    };
    EXPECT_TRUE(dialog.ShowForAntenna(antenna("ZZX10-60", "12050")));
    EXPECT_EQ(dialog.antennaList->topLevelItemCount(), 0);
    dialog.runModal = [&](QDialog&) {
        seen << rows(*dialog.antennaList).join(QLatin1Char(';'));
        dialog.cancelButton->click();
        return dialog.result();
    };
    EXPECT_FALSE(dialog.ShowForAntenna(antenna("QS2-370", "4388")));
    EXPECT_EQ(dialog.antennaList->topLevelItemCount(), 0);
    EXPECT_TRUE(dialog.rbGIF->isChecked()); // kept, also after Cancel
    EXPECT_EQ(seen,
              (QStringList{QStringLiteral("ZZX10-60|12050"), QStringLiteral("QS2-370|4388")}));

    // AddAntennaRow appends.
    dialog.AddAntennaRow(antenna("A", "1"));
    dialog.AddAntennaRow(antenna("B", "2"));
    EXPECT_EQ(rows(*dialog.antennaList),
              (QStringList{QStringLiteral("A|1"), QStringLiteral("B|2")}));
    dialog.clearAntennas();
    EXPECT_EQ(dialog.antennaList->topLevelItemCount(), 0);
}

TEST(ExportOptions, RealModalLoopAnsweredWhileExecRuns) {
    ExportDataDialog dialog;
    QStringList seen;
    bool wasModal = false;
    QTimer::singleShot(0, &dialog, [&] {
        wasModal = QApplication::activeModalWidget() == &dialog && dialog.isVisible();
        seen = rows(*dialog.antennaList);
        dialog.rbTXT->click();
        dialog.okButton->click();
    });
    EXPECT_TRUE(dialog.ShowForAntenna(antenna("ZZ8-107", "10233")));
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(seen, QStringList{QStringLiteral("ZZ8-107|10233")});
    EXPECT_TRUE(dialog.rbTXT->isChecked());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.antennaList->topLevelItemCount(), 0);

    // Closing with Escape is Cancel.
    QTimer::singleShot(0, &dialog, [&] { dialog.reject(); });
    EXPECT_FALSE(dialog.ShowForAntenna(antenna("ZZ8-107", "10233")));
    EXPECT_EQ(dialog.antennaList->topLevelItemCount(), 0);
}

TEST(QtSaveDialogs, ShowsThePresetAndReplacesWithoutAskingOrTheWaitCursor) {
    EXPECT_EQ(QtNameFilters(QString::fromLatin1(GraphSaveFilter)),
              (QStringList{QStringLiteral("JPG Image File (.jpg) (*.jpg)"),
                           QStringLiteral("GIF Image File (.gif) (*.gif)"),
                           QStringLiteral("PDF File Format (.pdf) (*.pdf)")}));
    testutils::Sandbox box;
    const QString existing = box.path(QStringLiteral("12050.gif"));
    ASSERT_TRUE(testutils::writeFile(existing, "old"));

    QtSaveDialogs dialogs;
    struct Seen {
        bool found = false;
        QString title, filter, suffix, folder;
        QStringList filters;
        bool noOverwriteQuestion = false;
        bool cursorLifted = false;
    } seen;
    const auto answer = [&](const QString& path) {
        QTimer::singleShot(0, [&, path] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen.found = true;
            seen.title = dialog->windowTitle();
            seen.filters = dialog->nameFilters();
            seen.filter = dialog->selectedNameFilter();
            seen.suffix = dialog->defaultSuffix();
            seen.folder = dialog->directory().absolutePath();
            seen.noOverwriteQuestion = dialog->testOption(QFileDialog::DontConfirmOverwrite);
            seen.cursorLifted = QGuiApplication::overrideCursor() == nullptr;
            // A dialog that would ask before replacing is cancelled rather than left waiting.
            if (path.isEmpty() || !seen.noOverwriteQuestion) {
                dialog->reject();
            } else {
                dialog->selectFile(path);
                static_cast<QDialog*>(dialog)->accept(); // QFileDialog's own accept()
            }
        });
    };

    WaitCursor wait;
    SaveRequest gif =
        GraphSaveRequest(output::ExportKind::ChartGif, box.path(), "12050", QStringLiteral("/p/"));
    answer(existing);
    EXPECT_EQ(dialogs.save(gif), std::optional<QString>(existing));
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.filters, QtNameFilters(QString::fromLatin1(GraphSaveFilter)));
    EXPECT_EQ(seen.filter, QStringLiteral("GIF Image File (.gif)")); // shown without "(*.gif)"
    EXPECT_EQ(seen.folder, box.path());
    EXPECT_TRUE(seen.noOverwriteQuestion);
    EXPECT_TRUE(seen.cursorLifted);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

    // The text dialog: its title, default extension and start folder; Cancel gives nothing.
    seen = Seen{};
    answer(QString());
    EXPECT_EQ(dialogs.save(TextSaveRequest("12050", box.path())), std::nullopt);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.title, QStringLiteral("Export Data"));
    EXPECT_EQ(seen.suffix, QStringLiteral("txt"));
    EXPECT_EQ(seen.folder, box.path());
    EXPECT_EQ(seen.filters, QStringList{QStringLiteral("Text Files (*.txt) (*.txt)")});
}

TEST(QtSaveDialogs, AVectorPageAsksBeforeReplacingAndNoGoesBackToTheDialog) {
    testutils::Sandbox box;
    const QString existing = box.path(QStringLiteral("12050.pdf"));
    ASSERT_TRUE(testutils::writeFile(existing, "made by the converter"));
    SaveRequest request = VectorSaveRequest(VectorFormat::Pdf, ExportPage::Chart, box.path(),
                                            "12050", QStringLiteral("/p/"));
    ASSERT_TRUE(request.ConfirmReplace);

    struct Seen {
        QStringList questions;
        bool openAfterNo = false;
    } seen;
    // Answers the question the dialog asks with `button`.
    const auto answerQuestion = [&seen](QMessageBox::StandardButton button) {
        QTimer::singleShot(0, [&seen, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            seen.questions << box->text();
            box->button(button)->click();
        });
    };
    QtSaveDialogs dialogs;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        // The name as typed, without its extension: the dialog adds it before it asks.
        dialog->selectFile(QStringLiteral("12050"));
        answerQuestion(QMessageBox::No);
        static_cast<QDialog*>(dialog)->accept();
        seen.openAfterNo = dialog->isVisible();
        answerQuestion(QMessageBox::Yes);
        static_cast<QDialog*>(dialog)->accept();
        if (dialog->isVisible())
            dialog->reject();
    });
    EXPECT_EQ(dialogs.save(request), std::optional<QString>(existing));
    ASSERT_EQ(seen.questions.size(), 2);
    EXPECT_TRUE(seen.questions[0].contains(QStringLiteral("12050.pdf already exists")))
        << seen.questions[0].toStdString();
    EXPECT_TRUE(seen.openAfterNo);
    EXPECT_EQ(testutils::readFile(existing), "made by the converter"); // the caller writes

    // The written exports' dialog replaces without a question.
    SaveRequest written =
        GraphSaveRequest(output::ExportKind::ChartPdf, box.path(), "12050", QStringLiteral("/p/"));
    ASSERT_FALSE(written.ConfirmReplace);
    seen = Seen{};
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        answerQuestion(QMessageBox::No); // should a question come after all
        dialog->selectFile(existing);
        static_cast<QDialog*>(dialog)->accept();
        if (dialog->isVisible())
            dialog->reject();
    });
    EXPECT_EQ(dialogs.save(written), std::optional<QString>(existing));
    EXPECT_TRUE(seen.questions.isEmpty());
    // The stray answer would otherwise act on a later test.
    QCoreApplication::processEvents();
}
