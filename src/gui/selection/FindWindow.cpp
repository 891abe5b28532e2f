// SPDX-License-Identifier: MIT
#include "selection/FindWindow.h"

#include "AppContext.h"
#include "base/ProgramPaths.h"
#include "base/Prompter.h"

#include <QtCore/QAbstractTableModel>
#include <QtCore/QItemSelectionModel>
#include <QtCore/QSaveFile>
#include <QtGui/QKeySequence>
#include <QtGui/QShortcut>
#include <QtWidgets/QComboBox>
#include <QtWidgets/QFileDialog>
#include <QtWidgets/QFormLayout>
#include <QtWidgets/QHBoxLayout>
#include <QtWidgets/QHeaderView>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QMessageBox>
#include <QtWidgets/QProgressBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QTableView>
#include <QtWidgets/QVBoxLayout>
#include <algorithm>
#include <numeric>

namespace {

const QStringList Headings = {
    QStringLiteral("Model"),         QStringLiteral("RPE"),        QStringLiteral("File"),
    QStringLiteral("Band (GHz)"),    QStringLiteral("Gain (dBi)"), QStringLiteral("Size (ft)"),
    QStringLiteral("Pol"),           QStringLiteral("Feed"),       QStringLiteral("FCC A"),
    QStringLiteral("A margin (dB)"), QStringLiteral("FCC B"),      QStringLiteral("B margin (dB)")};
// Columns that sort as numbers.
const QList<int> NumberColumns = {4, 5, 9, 11};

std::optional<double> numberIn(const QLineEdit* edit) {
    bool ok = false;
    const double v = edit->text().trimmed().toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

} // namespace

// The results as the table shows them: the cells of each antenna, sorted by a permutation so
// that sorting 10,000 rows builds each sort key once.
class FoundModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setAntennas(std::vector<FoundAntenna> found) {
        beginResetModel();
        rows_ = std::move(found);
        order_.resize(rows_.size());
        std::iota(order_.begin(), order_.end(), size_t(0));
        applySort();
        endResetModel();
    }
    const FoundAntenna& antenna(int row) const { return rows_[order_[size_t(row)]]; }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(Headings.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
            return {};
        return FoundRowCells(antenna(index.row())).value(index.column());
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole)
            return Headings.value(section);
        return {};
    }
    void sort(int column, Qt::SortOrder order) override {
        Q_EMIT layoutAboutToBeChanged();
        sortColumn_ = column;
        sortOrder_ = order;
        applySort();
        Q_EMIT layoutChanged();
    }

private:
    void applySort() {
        if (sortColumn_ < 0 || rows_.empty())
            return;
        std::vector<QString> texts(rows_.size());
        std::vector<std::optional<double>> numbers(rows_.size());
        const bool numeric = NumberColumns.contains(sortColumn_);
        for (size_t i = 0; i < rows_.size(); ++i) {
            const QString cell = FoundRowCells(rows_[i]).value(sortColumn_);
            bool ok = false;
            const double v = cell.toDouble(&ok);
            if (numeric && ok)
                numbers[i] = v;
            texts[i] = cell;
        }
        // Cells without a number come first, as empty texts do.
        auto less = [&](size_t a, size_t b) {
            if (numeric)
                return numbers[b] && (!numbers[a] || *numbers[a] < *numbers[b]);
            return QString::compare(texts[a], texts[b], Qt::CaseInsensitive) < 0;
        };
        std::sort(order_.begin(), order_.end(), [&](size_t a, size_t b) {
            if (less(a, b) || less(b, a))
                return sortOrder_ == Qt::AscendingOrder ? less(a, b) : less(b, a);
            return a < b; // equal keys stay in index order
        });
    }

    std::vector<FoundAntenna> rows_;
    std::vector<size_t> order_;
    int sortColumn_ = 0;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
};

FindWindow::FindWindow(AppContext& context, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context) {
    buildWindow();
    askCsvPath = [this] {
        return QFileDialog::getSaveFileName(this, QStringLiteral("Save as CSV"),
                                            QStringLiteral("antennas.csv"),
                                            QStringLiteral("CSV files (*.csv)"));
    };
    const MaskTableOrError read =
        ReadMaskTable(context_.resourceDirectory() + QString::fromLatin1(DefaultMaskFile));
    if (read.table)
        table_ = read.table;
    else
        tableError_ = read.error;
}

FindWindow::~FindWindow() {
    stop_ = true;
    if (worker_.joinable())
        worker_.join();
}

void FindWindow::buildWindow() {
    setObjectName(QStringLiteral("findWindow"));
    setWindowTitle(QStringLiteral("Find Antennas"));
    resize(1120, 600);
    auto edit = [this](const char* name, const QString& placeholder) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setPlaceholderText(placeholder);
        connect(e, &QLineEdit::textChanged, this, &FindWindow::search);
        return e;
    };
    auto box = [this](const char* name, const QStringList& items) {
        auto* b = new QComboBox(this);
        b->setObjectName(QString::fromLatin1(name));
        b->addItems(items);
        connect(b, &QComboBox::currentIndexChanged, this, &FindWindow::search);
        return b;
    };
    textEdit = edit("textEdit", QStringLiteral("model, RPE number, description or file name"));
    coversEdit = edit("coversEdit", QStringLiteral("e.g. 6 GHz or 6175 MHz"));
    minGainEdit = edit("minGainEdit", QStringLiteral("dBi"));
    maxSizeEdit = edit("maxSizeEdit", QStringLiteral("feet"));
    polarizationBox = box("polarizationBox", {QStringLiteral("Any"), QStringLiteral("Single"),
                                              QStringLiteral("Dual")});
    feedBox = box("feedBox", {QStringLiteral("Any"), QStringLiteral("None"), QStringLiteral("Left"),
                              QStringLiteral("Right")});
    categoryBox = box("categoryBox", {QStringLiteral("No check"), QStringLiteral("Category A"),
                                      QStringLiteral("Category B")});
    marginEdit = edit("marginEdit", QStringLiteral("least worst margin, dB"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Text:"), textEdit);
    auto* numbers = new QHBoxLayout;
    numbers->addWidget(new QLabel(QStringLiteral("Covers:"), this));
    numbers->addWidget(coversEdit);
    numbers->addWidget(new QLabel(QStringLiteral("Gain at least:"), this));
    numbers->addWidget(minGainEdit);
    numbers->addWidget(new QLabel(QStringLiteral("Size at most:"), this));
    numbers->addWidget(maxSizeEdit);
    form->addRow(numbers);
    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("Polarization:"), this));
    choices->addWidget(polarizationBox);
    choices->addWidget(new QLabel(QStringLiteral("Feed:"), this));
    choices->addWidget(feedBox);
    choices->addWidget(new QLabel(QStringLiteral("FCC 101.115:"), this));
    choices->addWidget(categoryBox);
    choices->addWidget(new QLabel(QStringLiteral("Margin at least:"), this));
    choices->addWidget(marginEdit);
    form->addRow(choices);

    countLabel = new QLabel(this);
    countLabel->setObjectName(QStringLiteral("countLabel"));
    progressBar = new QProgressBar(this);
    progressBar->setObjectName(QStringLiteral("progressBar"));
    progressBar->hide();
    stopButton = new QPushButton(QStringLiteral("&Stop"), this);
    stopButton->setObjectName(QStringLiteral("stopButton"));
    stopButton->hide();
    connect(stopButton, &QPushButton::clicked, this, &FindWindow::stopCheck);
    saveButton = new QPushButton(QStringLiteral("Save as &CSV..."), this);
    saveButton->setObjectName(QStringLiteral("saveButton"));
    connect(saveButton, &QPushButton::clicked, this, &FindWindow::saveAsked);
    compareButton = new QPushButton(QStringLiteral("Co&mpare"), this);
    compareButton->setObjectName(QStringLiteral("compareButton"));
    compareButton->setToolTip(QStringLiteral("Compare the selected antennas on one chart"));
    compareButton->setEnabled(false);
    connect(compareButton, &QPushButton::clicked, this, [this] {
        const std::vector<FoundAntenna> chosen = selectedAntennas();
        if (chosen.size() >= 2)
            Q_EMIT compareChosen(chosen);
    });
    auto* status = new QHBoxLayout;
    status->addWidget(countLabel, 1);
    status->addWidget(progressBar);
    status->addWidget(stopButton);
    status->addWidget(compareButton);
    status->addWidget(saveButton);

    model_ = new FoundModel(this);
    resultTable = new QTableView(this);
    resultTable->setObjectName(QStringLiteral("resultTable"));
    resultTable->setModel(model_);
    resultTable->horizontalHeader()->setResizeContentsPrecision(200);
    resultTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    // Several rows (Ctrl and Shift with the click) go to the compare window together.
    resultTable->setSelectionMode(QAbstractItemView::ExtendedSelection);
    resultTable->verticalHeader()->hide();
    // By model number until the user clicks another heading.
    resultTable->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    resultTable->setSortingEnabled(true);
    connect(resultTable, &QTableView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT antennaChosen(model_->antenna(index.row()).record,
                                 model_->antenna(index.row()).path);
    });

    connect(resultTable->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { compareButton->setEnabled(selectedAntennas().size() >= 2); });
    // A new set of results selects nothing.
    connect(model_, &QAbstractItemModel::modelReset, this,
            [this] { compareButton->setEnabled(selectedAntennas().size() >= 2); });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(status);
    layout->addWidget(resultTable, 1);
}

void FindWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    reload();
    textEdit->setFocus();
}

void FindWindow::reload() {
    stopCheck();
    if (worker_.joinable()) {
        worker_.join();
        ++runNumber_;
        searchAgain_ = false;
        progressBar->hide();
        stopButton->hide();
    }
    records_ = CatalogueRecords{};
    records_.records = ReadAllRecords(context_.index());
    dataDir_ = paths::resolveDirectoryCase(context_.shellSettings().SourceDir);
    search();
}

SearchQuery FindWindow::query() const {
    SearchQuery q;
    q.words = SearchQuery::wordsOf(textEdit->text());
    q.coversGHz = ParseFrequencyGHz(coversEdit->text());
    q.minGainDbi = numberIn(minGainEdit);
    q.maxSizeFeet = numberIn(maxSizeEdit);
    q.polarization = PolarizationChoice(polarizationBox->currentIndex());
    q.feed = FeedChoice(feedBox->currentIndex());
    return q;
}

std::optional<FccFilter> FindWindow::fccFilter() const {
    if (categoryBox->currentIndex() <= 0)
        return std::nullopt;
    return FccFilter{categoryBox->currentIndex() == 1 ? QLatin1Char('A') : QLatin1Char('B'),
                     numberIn(marginEdit)};
}

void FindWindow::search() {
    if (worker_.joinable()) {
        // A run is going on: it stops, and the new question is asked when it has.
        searchAgain_ = true;
        stop_ = true;
        return;
    }
    const SearchQuery q = query();
    const std::optional<FccFilter> fcc = fccFilter();
    if (!fcc) {
        const FindOutcome outcome = FindAntennas(records_, dataDir_, q, {}, nullptr, cache_);
        showResults(outcome.found, {});
        return;
    }
    if (!table_) {
        showResults({}, QStringLiteral("The mask table cannot be used: ") + tableError_);
        return;
    }
    startCheck(q, *fcc);
}

void FindWindow::startCheck(const SearchQuery& q, const FccFilter& filter) {
    stop_ = false;
    searchAgain_ = false;
    progressBar->setValue(0);
    progressBar->show();
    stopButton->show();
    countLabel->setText(QStringLiteral("Checking..."));
    const int run = ++runNumber_;
    worker_ = std::thread([this, q, filter, run] {
        FindOutcome outcome = FindAntennas(records_, dataDir_, q, filter, &*table_, cache_,
                                           [this](int done, int total) {
                                               if (done == total || done % 16 == 0)
                                                   QMetaObject::invokeMethod(
                                                       this,
                                                       [this, done, total] {
                                                           progressBar->setMaximum(total);
                                                           progressBar->setValue(done);
                                                       },
                                                       Qt::QueuedConnection);
                                               return !stop_.load();
                                           });
        QMetaObject::invokeMethod(
            this,
            [this, run, outcome = std::move(outcome)]() mutable {
                // A run joined early (the window reloaded meanwhile) has nothing more to say.
                if (run == runNumber_)
                    checkDone(std::move(outcome));
            },
            Qt::QueuedConnection);
    });
}

void FindWindow::stopCheck() {
    stop_ = true;
}

void FindWindow::checkDone(FindOutcome outcome) {
    if (worker_.joinable())
        worker_.join();
    progressBar->hide();
    stopButton->hide();
    lastFileReads_ = outcome.fileReads;
    if (searchAgain_) {
        searchAgain_ = false;
        search();
        return;
    }
    QString note;
    if (outcome.stopped)
        note = QStringLiteral("stopped before every file was checked");
    else if (!outcome.skipped.isEmpty())
        note = QStringLiteral("%1 files could not be read").arg(outcome.skipped.size());
    showResults(outcome.found, note);
    Q_EMIT checkFinished();
}

void FindWindow::showResults(const std::vector<FoundAntenna>& found, const QString& note) {
    model_->setAntennas(found);
    resultTable->resizeColumnsToContents();
    QString count =
        QStringLiteral("%1 of %2 antennas").arg(found.size()).arg(records_.records.size());
    if (!note.isEmpty())
        count += QStringLiteral(" (") + note + QLatin1Char(')');
    countLabel->setText(count);
    saveButton->setEnabled(!found.empty());
}

std::vector<FoundAntenna> FindWindow::shownAntennas() const {
    std::vector<FoundAntenna> shown;
    shown.reserve(size_t(model_->rowCount()));
    for (int row = 0; row < model_->rowCount(); ++row)
        shown.push_back(model_->antenna(row));
    return shown;
}

std::vector<FoundAntenna> FindWindow::selectedAntennas() const {
    QList<int> rows;
    for (const QModelIndex& index : resultTable->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    std::vector<FoundAntenna> chosen;
    for (const int row : rows)
        chosen.push_back(model_->antenna(row));
    return chosen;
}

bool FindWindow::saveCsv(const QString& path) {
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(FoundAntennasCsv(shownAntennas())) < 0 ||
        !out.commit()) {
        context_.prompter().error(QStringLiteral("Cannot create file %1").arg(path));
        return false;
    }
    return true;
}

void FindWindow::saveAsked() {
    const QString path = askCsvPath();
    if (!path.isEmpty())
        saveCsv(path);
}
