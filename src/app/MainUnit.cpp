#include "MainUnit.h"

#include "app/ProgramPaths.h"
#include "app/Prompter.h"
#include "graph/GraphUnit.h"

#include <QtCore/QFileInfo>
#include <QtGui/QCloseEvent>
#include <QtGui/QStatusTipEvent>
#include <QtWidgets/QLabel>
#include <QtWidgets/QListWidget>
#include <QtWidgets/QMenuBar>
#include <QtWidgets/QPushButton>
#include <QtWidgets/QStatusBar>

namespace {
QFont arialBold17() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(17);
    f.setBold(true);
    return f;
}
} // namespace

TSelect::TSelect(AppEnvironment env, QWidget* parent) : QMainWindow(parent), env_(std::move(env)) {
    setObjectName(QStringLiteral("Select"));
    setWindowTitle(QStringLiteral("Quelda Lobeview"));
    buildWindow();

    // 1-2. The start-up hint, shown while the pointer rests on the window itself.
    createdHint_ = paths::createdHint(QFileInfo(env_.programFile).lastModified().date());
    setStatusTip(createdHint_);
    DoShowHint(createdHint_);
    // 3-4. Program and common files directories.
    store_ = env_.settingsFile.isEmpty() ? std::make_unique<SettingsStore>()
                                         : std::make_unique<SettingsStore>(env_.settingsFile);
    commonFilesDir_ = paths::commonFilesDirectory(store_->commonFilesPath(), env_.programDir);
    // 5-6. The shell settings.
    shell_ = ShellSettings::read(*store_, env_.programDir);
    // 7. The data file type, until it has once been registered.
    if (!shell_.Associated)
        registerDataFileType();
}

TSelect::~TSelect() = default;

void TSelect::buildWindow() {
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

    auto makeList = [client](const char* name, int left, int width, const char* hint) {
        auto* list = new QListWidget(client);
        list->setObjectName(QString::fromLatin1(name));
        list->setGeometry(left, 32, width, 321);
        list->setSortingEnabled(false); // the working lists are already sorted
        list->setStatusTip(QString::fromLatin1(hint));
        list->setToolTip(QString::fromLatin1(hint));
        list->setUniformItemSizes(true);
        return list;
    };
    ListBox1 = makeList("ListBox1", 8, 169, "Select Frequency Range");
    ListBox2 = makeList("ListBox2", 184, 113, "Select Antenna Type");
    ListBox3 = makeList("ListBox3", 304, 217, "Select Antenna Model");

    Button1 = new QPushButton(QStringLiteral("E&xit"), client);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setFont(arialBold17());
    Button1->setGeometry(444, 2, 75, 25);
    Button1->setStatusTip(QStringLiteral("Exit Lobeview"));
    connect(Button1, &QPushButton::clicked, this, &QWidget::close);

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    Location1 = file->addAction(QStringLiteral("&Location"));
    Location1->setObjectName(QStringLiteral("Location1"));
    Location1->setStatusTip(QStringLiteral("Select RPE Data Directory"));
    Refresh1 = file->addAction(QStringLiteral("&Refresh"));
    Refresh1->setObjectName(QStringLiteral("Refresh1"));
    Refresh1->setStatusTip(QStringLiteral("Refresh RPE Data"));
    file->addSeparator();
    Exit1 = file->addAction(QStringLiteral("Exit"));
    Exit1->setObjectName(QStringLiteral("Exit1"));
    Exit1->setStatusTip(QStringLiteral("Exit Lobeview"));
    connect(Exit1, &QAction::triggered, this, &QWidget::close);

    hintPanel_ = new QLabel(this);
    hintPanel_->setObjectName(QStringLiteral("StatusBar1Panel"));
    hintPanel_->setMinimumWidth(200);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->setSizeGripEnabled(false);
    statusBar()->setFixedHeight(19);
    statusBar()->addWidget(hintPanel_, 1);

    client->setFixedSize(530, 379 - 19);
    setFixedSize(530, 379 + menuBar()->sizeHint().height());
}

void TSelect::registerDataFileType() {
    const auto error = registerAdfFileType(env_.programFile, env_.desktop, env_.runDesktopTool);
    if (error) {
        // Associated stays false, so the next start tries again.
        env_.prompter->error(*error);
        return;
    }
    shell_.Associated = true;
}

void TSelect::DoShowHint(const QString& hint) {
    if (hintPanel_)
        hintPanel_->setText(hint.isEmpty() ? createdHint_ : hint);
}

bool TSelect::event(QEvent* e) {
    // Status tips of controls and menu items land here; an empty tip means the pointer rests on
    // something without a hint of its own, which shows the window's own hint.
    if (e->type() == QEvent::StatusTip) {
        DoShowHint(static_cast<QStatusTipEvent*>(e)->tip());
        return true;
    }
    return QMainWindow::event(e);
}

bool TSelect::saveSettings() {
    const GraphSettings graph = peers_.graph ? peers_.graph->graphSettings()
                                             : GraphSettings::read(*store_);
    settingsSaved_ = writeAllSettings(*store_, shell_, graph);
    return settingsSaved_;
}

void TSelect::closeEvent(QCloseEvent* event) {
    saveSettings();
    QMainWindow::closeEvent(event);
}
