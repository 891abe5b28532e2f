// SPDX-License-Identifier: MIT
#pragma once
// What the graph window works on besides its widgets: the antenna on show and the output choices
// (graph, data, the file formats, pausing, pen factor, colour, the mask on pages). The windows
// and runs of the chart read and change them here; each change is announced.
#include "base/Settings.h"
#include "catalogue/AntennaFile.h"
#include "print/PrintRun.h"

#include <QtCore/QObject>
#include <array>

class GraphSession : public QObject {
    Q_OBJECT
public:
    // The choices that are on or off. The three file formats exclude each other.
    enum Choice { Graph, Data, MakeJpg, MakeGif, MakePdf, PausePrinting, Colour, MaskOnPages };
    Q_ENUM(Choice)

    explicit GraphSession(QObject* parent = nullptr);

    // The antenna on show: its record, header numbers and pattern, read once. Its path is empty
    // when the data file was not found (the record then comes from the index alone).
    AntennaFile antenna;
    FeedKind feed() const { return antenna.pattern.feedKind; }

    bool isOn(Choice choice) const { return on_[choice]; }
    // Turns one choice on or off; a file format turned on turns the other two off.
    void set(Choice choice, bool on);
    // Graph, data and the three formats, set together as given (the print and export commands).
    OutputFlags outputFlags() const;
    void setOutputFlags(const OutputFlags& flags);
    // A run writes files when a format is chosen, and prints otherwise.
    bool writesFiles() const { return isOn(MakeJpg) || isOn(MakeGif) || isOn(MakePdf); }

    // The pen width dialog's choice for printed chart pages, 0 while none was made (printed as 3).
    int penFactor() const { return penFactor_; }
    void setPenFactor(int factor);

    // The seven choices kept in the settings; the mask on pages and the pen factor are not kept.
    GraphSettings graphSettings() const;
    void applyGraphSettings(const GraphSettings& settings);

Q_SIGNALS:
    void choiceChanged(GraphSession::Choice choice, bool on);
    void penFactorChanged(int factor);

private:
    // Sets one choice as given, announcing a change.
    void store(Choice choice, bool on);

    std::array<bool, MaskOnPages + 1> on_{true}; // graph on, the rest off
    int penFactor_ = 0;
};
