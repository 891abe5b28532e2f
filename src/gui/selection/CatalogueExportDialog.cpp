// SPDX-License-Identifier: MIT
#include "selection/CatalogueExportDialog.h"

#include "base/Prompter.h"
#include "dialogs/WaitCursor.h"
#include "output/CatalogueRun.h"

#include <QtCore/QDir>
#include <QtCore/QEventLoop>
#include <QtCore/QFileInfo>
#include <QtWidgets/QCheckBox>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QDialogButtonBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QGroupBox>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QRadioButton>
#include <QtWidgets/QVBoxLayout>

namespace {

struct FormatChoice {
    const char* caption;
    catalogue::Format format;
};

constexpr FormatChoice FormatChoices[] = {
    {"PNG pictures (.png)", catalogue::Format::Png},
    {"JPG pictures (.jpg)", catalogue::Format::Jpg},
    {"GIF pictures (.gif)", catalogue::Format::Gif},
    {"PDF documents through htmldoc (.pdf)", catalogue::Format::Pdf},
    {"Vector PDF documents (.pdf)", catalogue::Format::VectorPdf},
    {"SVG drawings (.svg)", catalogue::Format::Svg},
    {"Text copies of the data files (.txt)", catalogue::Format::Txt},
};

} // namespace

CatalogueExportDialog::CatalogueExportDialog(Prompter& prompter, QWidget* parent)
    : QDialog(parent), prompter_(prompter) {
    setObjectName(QStringLiteral("catalogueExportDialog"));
    setWindowTitle(QStringLiteral("Export Catalogue"));

    catalogueLabel = new QLabel(this);
    catalogueLabel->setObjectName(QStringLiteral("catalogueLabel"));
    catalogueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    folderEdit = new QLineEdit(this);
    folderEdit->setObjectName(QStringLiteral("folderEdit"));
    folderEdit->setMinimumWidth(320);
    browseButton = new QPushButton(QStringLiteral("&Browse..."), this);
    browseButton->setObjectName(QStringLiteral("browseButton"));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folderEdit, 1);
    folderRow->addWidget(browseButton);

    formatBox = new QComboBox(this);
    formatBox->setObjectName(QStringLiteral("formatBox"));
    for (const FormatChoice& c : FormatChoices)
        formatBox->addItem(QString::fromLatin1(c.caption), static_cast<int>(c.format));

    auto* pages = new QGroupBox(QStringLiteral("Pages"), this);
    chartButton = new QRadioButton(QStringLiteral("&Graph"), pages);
    chartButton->setObjectName(QStringLiteral("chartButton"));
    dataButton = new QRadioButton(QStringLiteral("&Data"), pages);
    dataButton->setObjectName(QStringLiteral("dataButton"));
    bothButton = new QRadioButton(QStringLiteral("B&oth"), pages);
    bothButton->setObjectName(QStringLiteral("bothButton"));
    chartButton->setChecked(true);
    auto* pageRow = new QHBoxLayout(pages);
    pageRow->addWidget(chartButton);
    pageRow->addWidget(dataButton);
    pageRow->addWidget(bothButton);

    colorCheck = new QCheckBox(QStringLiteral("&Color"), this);
    colorCheck->setObjectName(QStringLiteral("colorCheck"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Catalogue:"), catalogueLabel);
    // A row of a layout gets no buddy of its own: without one the label would show the "&".
    auto* folderLabel = new QLabel(QStringLiteral("Save &in:"), this);
    folderLabel->setBuddy(folderEdit);
    form->addRow(folderLabel, folderRow);
    form->addRow(QStringLiteral("&Format:"), formatBox);

    auto* buttons = new QDialogButtonBox(this);
    okButton = buttons->addButton(QStringLiteral("Export"), QDialogButtonBox::AcceptRole);
    okButton->setObjectName(QStringLiteral("okButton"));
    cancelButton = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(pages);
    layout->addWidget(colorCheck);
    layout->addWidget(buttons);

    chooseFolder = [this](const QString& start) {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Save In"), start);
    };
    connect(browseButton, &QPushButton::clicked, this, &CatalogueExportDialog::BrowseButtonClick);
    connect(formatBox, &QComboBox::currentIndexChanged, this,
            &CatalogueExportDialog::FormatBoxChange);
    connect(okButton, &QPushButton::clicked, this, &CatalogueExportDialog::btnOKClick);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CatalogueExportDialog::prepare(const QString& catalogueDir, const QString& outputDir) {
    catalogueDir_ = catalogueDir;
    catalogueLabel->setText(QDir::toNativeSeparators(catalogueDir));
    if (!folderChosen_)
        folderEdit->setText(QDir::toNativeSeparators(outputDir));
}

catalogue::Options CatalogueExportDialog::options() const {
    catalogue::Options o;
    o.catalogueDir = catalogueDir_;
    o.outputDir = QDir::fromNativeSeparators(folderEdit->text().trimmed());
    o.format = static_cast<catalogue::Format>(formatBox->currentData().toInt());
    o.pages = bothButton->isChecked()   ? catalogue::Pages::Both
              : dataButton->isChecked() ? catalogue::Pages::Data
                                        : catalogue::Pages::Chart;
    o.color = colorCheck->isChecked();
    return o;
}

void CatalogueExportDialog::BrowseButtonClick() {
    const QString chosen = chooseFolder ? chooseFolder(folderEdit->text()) : QString();
    if (chosen.isEmpty())
        return;
    folderEdit->setText(QDir::toNativeSeparators(chosen));
    folderChosen_ = true;
}

void CatalogueExportDialog::FormatBoxChange() {
    // The text copy is of the data file: there is no chart to choose.
    const bool pages =
        catalogue::DrawsPages(static_cast<catalogue::Format>(formatBox->currentData().toInt()));
    chartButton->setEnabled(pages);
    if (!pages && chartButton->isChecked())
        dataButton->setChecked(true);
    colorCheck->setEnabled(pages);
}

void CatalogueExportDialog::btnOKClick() {
    const QString folder = folderEdit->text().trimmed();
    if (folder.isEmpty()) {
        prompter_.message(QStringLiteral("Choose the folder the files are saved in."));
        return;
    }
    if (QFileInfo(folder).isRelative()) {
        prompter_.message(QStringLiteral("Give the whole path of the folder the files are saved "
                                         "in."));
        return;
    }
    folderChosen_ = true;
    accept();
}

catalogue::Report RunCatalogueExportWithProgress(
    QWidget* parent, const catalogue::Options& options, Prompter& prompter,
    const std::function<void(catalogue::BackgroundExport&, QProgressDialog&)>& prepared) {
    QProgressDialog progress(parent);
    progress.setObjectName(QStringLiteral("CatalogueProgress"));
    progress.setWindowTitle(QStringLiteral("Export Catalogue"));
    progress.setLabelText(QStringLiteral("Reading the catalogue..."));
    auto* stopButton = new QPushButton(QStringLiteral("&Stop"), &progress);
    stopButton->setObjectName(QStringLiteral("StopButton"));
    progress.setCancelButton(stopButton);
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    progress.setMinimumDuration(0);
    progress.setRange(0, 0);

    catalogue::BackgroundExport run;
    QEventLoop loop;
    QObject::connect(
        &run, &catalogue::BackgroundExport::progressed, &progress,
        [&progress](int done, int total, const QString& name) {
            progress.setMaximum(total);
            progress.setValue(done);
            progress.setLabelText(
                QStringLiteral("%1 of %2 antennas\n%3").arg(done).arg(total).arg(name));
        });
    QObject::connect(&progress, &QProgressDialog::canceled, &run, [&run, &progress, stopButton] {
        if (!run.isRunning())
            return;
        run.stop();
        progress.setLabelText(QStringLiteral("Stopping after the files in hand..."));
        stopButton->setEnabled(false);
    });
    QObject::connect(&run, &catalogue::BackgroundExport::finished, &loop, &QEventLoop::quit);
    if (prepared)
        prepared(run, progress);
    {
        WaitCursor wait;
        run.start(options);
    }
    progress.show();
    if (run.isRunning())
        loop.exec();
    progress.close();

    const catalogue::Report report = run.report();
    const QString text = report.summary(options).join(QLatin1Char('\n'));
    if (!report.error.isEmpty() || report.failed() > 0)
        prompter.error(text);
    else
        prompter.message(text);
    return report;
}
