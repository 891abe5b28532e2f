// SPDX-License-Identifier: MIT
#include "selection/SelectionWindow.h"

#include "AppContext.h"
#include "base/ProgramPaths.h"
#include "base/Prompter.h"
#include "catalogue/IndexRefresh.h"
#include "dialogs/WaitCursor.h"
#include "dialogs/WindowPlacement.h"
#include "output/OutputNames.h"
#include "selection/CatalogueExportDialog.h"
#include "selection/DataFolderDialog.h"
#include "selection/IndexTableWindow.h"
#include "selection/ModelChooserDialog.h"
#include "selection/RebuildWindow.h"

#include <QtCore/QElapsedTimer>
#include <QtCore/QFile>
#include <QtCore/QFileInfo>
#include <QtGui/QCloseEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QKeySequence>
#include <QtGui/QStatusTipEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QProgressDialog>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStatusBar>

namespace {

// A list in which selecting an item by the keyboard (arrow and page keys, Home and End, typing
// the start of an item, the space bar) acts as a click on it does; or, for a list whose click
// opens a window, one whose keys only move the highlight and Return, Enter or the space bar act
// as the click.
class SelectionList : public QListWidget {
public:
    enum class Keys { Select, Browse };
    SelectionList(Keys keys, QWidget* parent) : QListWidget(parent), keys_(keys) {}

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (keys_ == Keys::Browse) {
            const int key = event->key();
            if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Space) {
                QListWidget::keyPressEvent(event);
                return;
            }
            event->accept();
            if (QListWidgetItem* item = currentItem()) {
                setCurrentItem(item); // selects it, alone
                Q_EMIT itemClicked(item);
            }
            return;
        }
        const QListWidgetItem* before = currentItem();
        const bool wasSelected = before && before->isSelected();
        QListWidget::keyPressEvent(event);
        QListWidgetItem* now = currentItem();
        if (now && now->isSelected() && (now != before || !wasSelected))
            Q_EMIT itemClicked(now);
    }
    void focusInEvent(QFocusEvent* event) override {
        const bool hadCurrent = currentIndex().isValid();
        QListWidget::focusInEvent(event);
        // Entering the list by keyboard marks no item, so that the first arrow key selects the
        // first item, as in any list box.
        if (!hadCurrent && currentItem() && !currentItem()->isSelected())
            setCurrentIndex(QModelIndex());
    }

private:
    Keys keys_;
};

// The row under the lists that holds the Compare button.
constexpr int CompareRow = 30;

QFont arialBold17() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(17);
    f.setBold(true);
    return f;
}
} // namespace

SelectionWindow::SelectionWindow(AppContext& context, QWidget* parent)
    : QMainWindow(parent), context_(context) {
    setObjectName(QStringLiteral("Select"));
    runDialog = [](QDialog& d) { return d.exec(); };
    showAntenna = [](const IndexRecord&, const QString&) {};
    setWindowTitle(QStringLiteral("Quelda Lobeview"));
    buildWindow();

    // The start-up hint, shown while the pointer rests on the window itself.
    createdHint_ =
        paths::createdHint(QFileInfo(context_.environment().programFile).lastModified().date());
    setStatusTip(createdHint_);
    showHint(createdHint_);
    // The data file type, until it has once been registered.
    if (!context_.shellSettings().Associated)
        registerDataFileType();
}

SelectionWindow::~SelectionWindow() = default;

void SelectionWindow::buildWindow() {
    QFont base(QStringLiteral("Liberation Sans"));
    base.setPixelSize(13);
    setFont(base);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("ClientArea"));
    setCentralWidget(client);

    const struct {
        const char* text;
        int left;
    } labels[] = {{"Frequency Range", 8}, {"Type", 184}, {"Model Number", 304}};
    for (const auto& l : labels) {
        auto* label = new QLabel(QString::fromLatin1(l.text), client);
        label->setFont(arialBold17());
        label->move(l.left, 8);
        label->adjustSize();
    }

    auto makeList = [client](const char* name, int left, int width, const char* hint,
                             SelectionList::Keys keys = SelectionList::Keys::Select) {
        auto* list = new SelectionList(keys, client);
        list->setObjectName(QString::fromLatin1(name));
        list->setGeometry(left, 32, width, 321);
        list->setSortingEnabled(false); // the working lists are already sorted
        list->setStatusTip(QString::fromLatin1(hint));
        list->setToolTip(QString::fromLatin1(hint));
        list->setUniformItemSizes(true);
        list->setStyleSheet(QStringLiteral("QListView::item { height: 16px; }"));
        return list;
    };
    rangeList = makeList("rangeList", 8, 169, "Select Frequency Range");
    typeList = makeList("typeList", 184, 113, "Select Antenna Type");
    // A model opens the graph window, which hides the lists: the keys only browse the models.
    modelList =
        makeList("modelList", 304, 217, "Select Antenna Model", SelectionList::Keys::Browse);

    exitButton_ = new QPushButton(QStringLiteral("E&xit"), client);
    exitButton_->setObjectName(QStringLiteral("exitButton"));
    exitButton_->setFont(arialBold17());
    exitButton_->setGeometry(444, 2, 75, 25);
    exitButton_->setStatusTip(QStringLiteral("Exit Lobeview"));
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    locationAction_ = file->addAction(QStringLiteral("&Location"));
    locationAction_->setObjectName(QStringLiteral("locationAction"));
    locationAction_->setStatusTip(QStringLiteral("Select RPE Data Directory"));
    refreshAction_ = file->addAction(QStringLiteral("&Refresh"));
    refreshAction_->setObjectName(QStringLiteral("refreshAction"));
    refreshAction_->setStatusTip(QStringLiteral("Refresh RPE Data"));
    exportCatalogueAction_ = file->addAction(QStringLiteral("Export &Catalogue..."));
    exportCatalogueAction_->setObjectName(QStringLiteral("exportCatalogueAction"));
    exportCatalogueAction_->setStatusTip(QStringLiteral("Export the pages of every antenna"));
    connect(exportCatalogueAction_, &QAction::triggered, this, &SelectionWindow::exportCatalogue);
    findAction_ = file->addAction(QStringLiteral("&Find..."));
    findAction_->setObjectName(QStringLiteral("findAction"));
    findAction_->setShortcut(QKeySequence::Find);
    findAction_->setStatusTip(
        QStringLiteral("Find antennas by text, band, gain, size and FCC margin"));
    connect(findAction_, &QAction::triggered, this, &SelectionWindow::findRequested);
    compareAction_ = file->addAction(QStringLiteral("Co&mpare..."));
    compareAction_->setObjectName(QStringLiteral("compareAction"));
    compareAction_->setStatusTip(QStringLiteral("Compare antennas on one chart"));
    connect(compareAction_, &QAction::triggered, this, &SelectionWindow::compareChosenModel);
    file->addSeparator();
    exitAction_ = file->addAction(QStringLiteral("Exit"));
    exitAction_->setObjectName(QStringLiteral("exitAction"));
    exitAction_->setStatusTip(QStringLiteral("Exit Lobeview"));
    connect(exitAction_, &QAction::triggered, this, &QWidget::close);
    connect(locationAction_, &QAction::triggered, this, &SelectionWindow::chooseDataFolder);
    connect(refreshAction_, &QAction::triggered, this, &SelectionWindow::refreshIndex);
    connect(rangeList, &QListWidget::itemClicked, this, &SelectionWindow::rangeChosen);
    connect(typeList, &QListWidget::itemClicked, this, &SelectionWindow::typeChosen);
    connect(modelList, &QListWidget::itemClicked, this, &SelectionWindow::modelChosen);
    // Keyboard selection works like a click. The model list opens its item on a click (the one
    // that starts a double click included) and its own keys, never twice for one click.
    for (QListWidget* list : {rangeList, typeList})
        connect(list, &QListWidget::itemActivated, list, &QListWidget::itemClicked);

    // Under the model list: the compare window, starting with the model chosen.
    compareButton_ = new QPushButton(QStringLiteral("&Compare"), client);
    compareButton_->setObjectName(QStringLiteral("compareButton"));
    compareButton_->setGeometry(444, 358, 75, 25);
    compareButton_->setStatusTip(QStringLiteral("Compare the chosen model with other antennas"));
    connect(compareButton_, &QPushButton::clicked, this, &SelectionWindow::compareChosenModel);

    hintPanel_ = new QLabel(this);
    hintPanel_->setObjectName(QStringLiteral("hintPanel"));
    hintPanel_->setFixedWidth(200);
    statusBar()->setObjectName(QStringLiteral("statusBar"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(19);
    statusBar()->addWidget(hintPanel_);
    // Hints from every window of the program, not only this one's.
    qApp->installEventFilter(this);

    // The written 379 pixels and a row for the Compare button.
    client->setFixedSize(530, 379 - 19 + CompareRow);
    setFixedSize(530, 379 + CompareRow + menuBar()->sizeHint().height());
    // Fixed single border: system menu and minimise box, no maximise box.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    centreOnScreen(this);
}

void SelectionWindow::registerDataFileType() {
    const AppEnvironment& env = context_.environment();
    const auto error = registerAdfFileType(env.programFile, env.desktop, env.runDesktopTool);
    if (error) {
        // Associated stays false, so the next start tries again.
        context_.prompter().error(*error);
        return;
    }
    context_.shellSettings().Associated = true;
}

void SelectionWindow::showHint(const QString& hint) {
    if (hintPanel_)
        hintPanel_->setText(hint);
}

bool SelectionWindow::eventFilter(QObject* watched, QEvent* e) {
    // Status tips of controls and menu items of any window. An empty tip means the pointer rests
    // on something without a hint of its own: in this window that shows the window's own hint.
    if (e->type() == QEvent::StatusTip && watched->isWidgetType()) {
        const QString tip = static_cast<QStatusTipEvent*>(e)->tip();
        const bool own = static_cast<QWidget*>(watched)->window() == this;
        showHint(tip.isEmpty() && own ? createdHint_ : tip);
    }
    return QMainWindow::eventFilter(watched, e);
}

bool SelectionWindow::event(QEvent* e) {
    // The hint panel shows status tips (see eventFilter), never the status bar's message line.
    if (e->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(e);
}

void SelectionWindow::closeEvent(QCloseEvent* event) {
    context_.saveSettings();
    QMainWindow::closeEvent(event);
}

void SelectionWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (shownOnce_)
        return;
    shownOnce_ = true;
    // Runs once the event loop has started, after every window exists.
    QMetaObject::invokeMethod(this, &SelectionWindow::firstShow, Qt::QueuedConnection);
}

void SelectionWindow::firstShow() {
    // Paint the window before a rebuild can hold the event loop.
    if (isVisible())
        repaint();
    loadIndex();
    if (!context_.environment().arguments.isEmpty())
        commandLineOpen(context_.environment().arguments.first());
}

void SelectionWindow::fillList(QListWidget* list, const QStringList& items) {
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(items);
    list->setUpdatesEnabled(true);
}

void SelectionWindow::loadIndex() {
    const QString path = paths::indexFilePath(context_.programDirectory());
    // A file that is not an index (a record cut short, a length byte beyond its field) is
    // rebuilt from the data folder like a missing one.
    if (!context_.index().open(path) || !context_.index().holdsRecords()) {
        rebuildIndex();
        if (!context_.index().open(path))
            context_.prompter().message(
                QStringLiteral("To recover you must select a valid file location"));
    }
    const CatalogueLists lists = ScanAllLists(context_.index());
    fillList(rangeList, lists.ranges);
    fillList(typeList, lists.types);
    fillList(modelList, lists.models);
}

bool SelectionWindow::rebuildIndex() {
    return rebuildIndex(context_.shellSettings().SourceDir, false) ==
           RebuildReport::Outcome::Rebuilt;
}

RebuildReport::Outcome SelectionWindow::rebuildIndex(const QString& folder, bool newFolder) {
    WaitCursor wait;
    context_.index().close();
    const QString sourceDir = paths::resolveDirectoryCase(folder);

    // A progress dialog for rebuilds that take more than about half a second.
    QProgressDialog progress(this);
    progress.setWindowTitle(QStringLiteral("Refresh"));
    progress.setCancelButtonText(QStringLiteral("&Stop"));
    progress.setMinimumDuration(500);
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoClose(false);
    progress.setAutoReset(false);
    Q_EMIT rebuildStarted(&progress);
    QElapsedTimer sinceUpdate;
    sinceUpdate.start();
    const RebuildReport report = RebuildIndex(
        sourceDir, paths::indexFilePath(context_.programDirectory()),
        [&progress, &sinceUpdate](int done, int total, const QString& name) {
            if (done == 0 || done == total || sinceUpdate.elapsed() >= 50) {
                sinceUpdate.restart();
                progress.setMaximum(total);
                progress.setLabelText(QStringLiteral("Indexing %1 of %2\n%3")
                                          .arg(done + 1 > total ? total : done + 1)
                                          .arg(total)
                                          .arg(name));
                progress.setValue(done);
            }
            return !progress.wasCanceled();
        },
        newFolder);
    progress.close();

    QString message = report.message();
    if (newFolder && report.outcome != RebuildReport::Outcome::Rebuilt)
        message += QStringLiteral("\n\nThe data directory is still %1.")
                       .arg(context_.shellSettings().SourceDir);
    if (!message.isEmpty())
        context_.prompter().message(message);
    if (report.outcome == RebuildReport::Outcome::Rebuilt && peers_.indexDisplay)
        runDialog(*peers_.indexDisplay);
    return report.outcome;
}

std::optional<RangeFilter> SelectionWindow::selectedRange() const {
    const int row = rangeList->currentRow();
    if (row <= 0)
        return std::nullopt;
    return RangeFilter::fromLabel(rangeList->item(row)->text().toLatin1());
}

void SelectionWindow::rangeChosen() {
    const CatalogueLists lists = ScanRange(context_.index(), selectedRange());
    fillList(typeList, lists.types);
    fillList(modelList, lists.models);
}

void SelectionWindow::typeChosen() {
    const QListWidgetItem* item = typeList->currentItem();
    modelList->clear();
    if (!item)
        return;
    fillList(modelList, ScanType(context_.index(), item->text(), selectedRange()));
}

std::optional<IndexRecord> SelectionWindow::chooseMatch(const QList<IndexRecord>& matches,
                                                        const QString& noMatchMessage) {
    if (matches.isEmpty()) {
        context_.prompter().message(noMatchMessage);
        return std::nullopt;
    }
    if (matches.size() == 1)
        return matches.first();
    int chosen = 0;
    if (peers_.chooser) {
        peers_.chooser->setMatches(matches);
        runDialog(*peers_.chooser);
        // Closed without a confirmed line: the first match.
        chosen = peers_.chooser->confirmedMatch().value_or(0);
    }
    return matches.at(chosen);
}

void SelectionWindow::showMatches(const QList<IndexRecord>& matches,
                                  const QString& noMatchMessage) {
    if (const std::optional<IndexRecord> record = chooseMatch(matches, noMatchMessage))
        showAntenna(*record, {});
}

void SelectionWindow::modelChosen() {
    const QListWidgetItem* item = modelList->currentItem();
    if (!item)
        return;
    showMatches(FindListedModel(context_.index(), item->text()),
                QStringLiteral("The file was not found!!!"));
}

void SelectionWindow::compareChosenModel() {
    const QListWidgetItem* item = modelList->currentItem();
    if (!item || !item->isSelected()) {
        Q_EMIT compareRequested({});
        return;
    }
    if (const std::optional<IndexRecord> record =
            chooseMatch(FindListedModel(context_.index(), item->text()),
                        QStringLiteral("The file was not found!!!")))
        Q_EMIT compareRequested({*record});
}

void SelectionWindow::commandLineOpen(const QString& argument) {
    if (IsFileArgument(argument)) {
        const QFileInfo file(argument);
        if (file.isFile()) {
            // The file itself, with the record the rebuild would make of it.
            IndexRecord record;
            if (const auto error = BuildRecordFromFile(file.absoluteFilePath(), record)) {
                context_.prompter().error(QStringLiteral("%1: %2").arg(file.fileName(), *error));
                return;
            }
            showAntenna(record, file.absoluteFilePath());
            return;
        }
        if (const auto record =
                FindFileName(context_.index(), QFile::encodeName(file.fileName()))) {
            showAntenna(*record, {});
            return;
        }
        context_.prompter().message(QStringLiteral("The specified file could not be found"));
        return;
    }
    showMatches(FindModel(context_.index(), ModelNumberArgument(argument)),
                QStringLiteral("Sorry, that model number was not found"));
}

void SelectionWindow::refreshIndex() {
    context_.index().close();
    if (peers_.refresh)
        runDialog(*peers_.refresh);
    loadIndex();
}

void SelectionWindow::exportCatalogue() {
    if (!catalogueExport_)
        catalogueExport_ = new CatalogueExportDialog(context_.prompter(), this);
    catalogueExport_->prepare(
        paths::resolveDirectoryCase(context_.shellSettings().SourceDir),
        output::ResolveLocation(context_.shellSettings().PDFfiles, context_.programDirectory()));
    if (runDialog(*catalogueExport_) != QDialog::Accepted)
        return;
    RunCatalogueExportWithProgress(this, catalogueExport_->options(), context_.prompter());
}

void SelectionWindow::chooseDataFolder() {
    QString folder = context_.shellSettings().SourceDir;
    if (peers_.directory && runDialog(*peers_.directory) == QDialog::Accepted)
        folder = peers_.directory->currentDirectory();
    context_.index().close();
    // Cancelled or not, the index is rebuilt from the (possibly unchanged) data directory. A new
    // folder becomes the data directory only with its own index: a rebuild that is stopped or
    // fails, or a folder without data files, keeps the old index and the old folder together,
    // so that no antenna is read from a folder its record does not come from.
    const bool newFolder = folder != context_.shellSettings().SourceDir;
    if (rebuildIndex(folder, newFolder) == RebuildReport::Outcome::Rebuilt)
        context_.shellSettings().SourceDir = folder;
    loadIndex();
}
