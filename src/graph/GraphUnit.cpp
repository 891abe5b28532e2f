#include "GraphUnit.h"

#include "app/MainUnit.h"

#include <QtGui/QAction>

namespace {
QAction* checkItem(QObject* parent, const char* name, const char* text) {
    auto* a = new QAction(QString::fromLatin1(text), parent);
    a->setObjectName(QString::fromLatin1(name));
    a->setCheckable(true);
    return a;
}
} // namespace

TGraphForm::TGraphForm(TSelect& select, QWidget* parent) : QMainWindow(parent), select_(select) {
    setObjectName(QStringLiteral("GraphForm"));
    setWindowTitle(QStringLiteral("Graph Form"));
    Color1 = checkItem(this, "Color1", "&Color");
    MakeGIF1 = checkItem(this, "MakeGIF1", "Make &GIF");
    MakeJPG1 = checkItem(this, "MakeJPG1", "Make &JPG");
    MakePDF1 = checkItem(this, "MakePDF1", "&Make PDF");
    Graph1 = checkItem(this, "Graph1", "  &Graph");
    Data1 = checkItem(this, "Data1", "  &Data");
    PausePrint1 = checkItem(this, "PausePrint1", " Pause Printing");
    applyGraphSettings(GraphSettings::read(select_.settingsStore()));
}

GraphSettings TGraphForm::graphSettings() const {
    GraphSettings g;
    g.PenColor = Color1->isChecked();
    g.MakeGIF = MakeGIF1->isChecked();
    g.MakeJPG = MakeJPG1->isChecked();
    g.MakePDF = MakePDF1->isChecked();
    g.PrintGraph = Graph1->isChecked();
    g.PrintData = Data1->isChecked();
    g.PrintPause = PausePrint1->isChecked();
    return g;
}

void TGraphForm::applyGraphSettings(const GraphSettings& g) {
    Color1->setChecked(g.PenColor);
    MakeGIF1->setChecked(g.MakeGIF);
    MakeJPG1->setChecked(g.MakeJPG);
    MakePDF1->setChecked(g.MakePDF);
    Graph1->setChecked(g.PrintGraph);
    Data1->setChecked(g.PrintData);
    PausePrint1->setChecked(g.PrintPause);
}

void TGraphForm::ShowAntenna(const IndexRecord& record, const QString& dataFile) {
    CurrentRecord = record;
    Q_UNUSED(dataFile);
}
