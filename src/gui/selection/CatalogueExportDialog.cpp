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

    CatalogueLabel = new QLabel(this);
    CatalogueLabel->setObjectName(QStringLiteral("CatalogueLabel"));
    CatalogueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    FolderEdit = new QLineEdit(this);
    FolderEdit->setObjectName(QStringLiteral("FolderEdit"));
    FolderEdit->setMinimumWidth(320);
    BrowseButton = new QPushButton(QStringLiteral("&Browse..."), this);
    BrowseButton->setObjectName(QStringLiteral("BrowseButton"));
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(FolderEdit, 1);
    folderRow->addWidget(BrowseButton);

    FormatBox = new QComboBox(this);
    FormatBox->setObjectName(QStringLiteral("FormatBox"));
    for (const FormatChoice& c : FormatChoices)
        FormatBox->addItem(QString::fromLatin1(c.caption), static_cast<int>(c.format));

    auto* pages = new QGroupBox(QStringLiteral("Pages"), this);
    rbChart = new QRadioButton(QStringLiteral("&Graph"), pages);
    rbChart->setObjectName(QStringLiteral("rbChart"));
    rbData = new QRadioButton(QStringLiteral("&Data"), pages);
    rbData->setObjectName(QStringLiteral("rbData"));
    rbBoth = new QRadioButton(QStringLiteral("B&oth"), pages);
    rbBoth->setObjectName(QStringLiteral("rbBoth"));
    rbChart->setChecked(true);
    auto* pageRow = new QHBoxLayout(pages);
    pageRow->addWidget(rbChart);
    pageRow->addWidget(rbData);
    pageRow->addWidget(rbBoth);

    ColorCheck = new QCheckBox(QStringLiteral("&Color"), this);
    ColorCheck->setObjectName(QStringLiteral("ColorCheck"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Catalogue:"), CatalogueLabel);
    // A row of a layout gets no buddy of its own: without one the label would show the "&".
    auto* folderLabel = new QLabel(QStringLiteral("Save &in:"), this);
    folderLabel->setBuddy(FolderEdit);
    form->addRow(folderLabel, folderRow);
    form->addRow(QStringLiteral("&Format:"), FormatBox);

    auto* buttons = new QDialogButtonBox(this);
    btnOK = buttons->addButton(QStringLiteral("Export"), QDialogButtonBox::AcceptRole);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(pages);
    layout->addWidget(ColorCheck);
    layout->addWidget(buttons);

    chooseFolder = [this](const QString& start) {
        return QFileDialog::getExistingDirectory(this, QStringLiteral("Save In"), start);
    };
    connect(BrowseButton, &QPushButton::clicked, this, &CatalogueExportDialog::BrowseButtonClick);
    connect(FormatBox, &QComboBox::currentIndexChanged, this,
            &CatalogueExportDialog::FormatBoxChange);
    connect(btnOK, &QPushButton::clicked, this, &CatalogueExportDialog::btnOKClick);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CatalogueExportDialog::prepare(const QString& catalogueDir, const QString& outputDir) {
    catalogueDir_ = catalogueDir;
    CatalogueLabel->setText(QDir::toNativeSeparators(catalogueDir));
    if (!folderChosen_)
        FolderEdit->setText(QDir::toNativeSeparators(outputDir));
}

catalogue::Options CatalogueExportDialog::options() const {
    catalogue::Options o;
    o.catalogueDir = catalogueDir_;
    o.outputDir = QDir::fromNativeSeparators(FolderEdit->text().trimmed());
    o.format = static_cast<catalogue::Format>(FormatBox->currentData().toInt());
    o.pages = rbBoth->isChecked()   ? catalogue::Pages::Both
              : rbData->isChecked() ? catalogue::Pages::Data
                                    : catalogue::Pages::Chart;
    o.color = ColorCheck->isChecked();
    return o;
}

void CatalogueExportDialog::BrowseButtonClick() {
    const QString chosen = chooseFolder ? chooseFolder(FolderEdit->text()) : QString();
    if (chosen.isEmpty())
        return;
    FolderEdit->setText(QDir::toNativeSeparators(chosen));
    folderChosen_ = true;
}

void CatalogueExportDialog::FormatBoxChange() {
    // The text copy is of the data file: there is no chart to choose.
    const bool pages =
        catalogue::DrawsPages(static_cast<catalogue::Format>(FormatBox->currentData().toInt()));
    rbChart->setEnabled(pages);
    if (!pages && rbChart->isChecked())
        rbData->setChecked(true);
    ColorCheck->setEnabled(pages);
}

void CatalogueExportDialog::btnOKClick() {
    const QString folder = FolderEdit->text().trimmed();
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
