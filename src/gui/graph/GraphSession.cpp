// SPDX-License-Identifier: MIT
#include "graph/GraphSession.h"

#include <algorithm>

GraphSession::GraphSession(QObject* parent) : QObject(parent) {}

void GraphSession::store(Choice choice, bool on) {
    if (on_[choice] == on)
        return;
    on_[choice] = on;
    Q_EMIT choiceChanged(choice, on);
}

void GraphSession::set(Choice choice, bool on) {
    store(choice, on);
    if (!on)
        return;
    const auto formats = {MakeJpg, MakeGif, MakePdf};
    if (std::find(formats.begin(), formats.end(), choice) == formats.end())
        return;
    for (Choice other : formats)
        if (other != choice)
            store(other, false);
}

OutputFlags GraphSession::outputFlags() const {
    return {isOn(Graph), isOn(Data), isOn(MakeJpg), isOn(MakeGif), isOn(MakePdf)};
}

void GraphSession::setOutputFlags(const OutputFlags& flags) {
    store(Graph, flags.Graph);
    store(Data, flags.Data);
    store(MakeJpg, flags.MakeJPG);
    store(MakeGif, flags.MakeGIF);
    store(MakePdf, flags.MakePDF);
}

void GraphSession::setPenFactor(int factor) {
    if (penFactor_ == factor)
        return;
    penFactor_ = factor;
    Q_EMIT penFactorChanged(factor);
}

GraphSettings GraphSession::graphSettings() const {
    GraphSettings g;
    g.PenColor = isOn(Colour);
    g.MakeGIF = isOn(MakeGif);
    g.MakeJPG = isOn(MakeJpg);
    g.MakePDF = isOn(MakePdf);
    g.PrintGraph = isOn(Graph);
    g.PrintData = isOn(Data);
    g.PrintPause = isOn(PausePrinting);
    return g;
}

void GraphSession::applyGraphSettings(const GraphSettings& g) {
    // As stored: settings edited to hold two formats keep both.
    store(Colour, g.PenColor);
    store(MakeGif, g.MakeGIF);
    store(MakeJpg, g.MakeJPG);
    store(MakePdf, g.MakePDF);
    store(Graph, g.PrintGraph);
    store(Data, g.PrintData);
    store(PausePrinting, g.PrintPause);
}
