// SPDX-License-Identifier: MIT
// The print branch of the output run, against a backend that records what it is handed and a
// prompter that records into the same log, so the order of documents and prompts is visible.
#include "print/PrintRun.h"

#include "base/Prompter.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <gtest/gtest.h>

namespace {

struct Log {
    QStringList events;
};

class RecordingBackend : public PrintBackend {
public:
    explicit RecordingBackend(Log& log) : log_(log) {}

    std::optional<QString> prepare() override {
        ++prepares;
        return prepareError;
    }
    QString printerName() const override { return QStringLiteral("Recorder"); }
    PrintJobResult print(const PrintDocument& document) override {
        // The page is drawn as the printing system would have it drawn: on a painter of the
        // page's size, so the callbacks run.
        QImage page(document.Orientation == QPageLayout::Landscape ? QSize(110, 85)
                                                                   : QSize(85, 110),
                    QImage::Format_RGB32);
        QPainter painter(&page);
        document.Paint(painter);
        painter.end();
        const int number = ++submitted;
        log_.events << QStringLiteral("print %1 %2")
                           .arg(document.Title, document.Orientation == QPageLayout::Landscape
                                                    ? QStringLiteral("landscape")
                                                    : QStringLiteral("portrait"));
        if (number == failAt)
            return {0, QStringLiteral("printer on fire")};
        return {100 + number, {}};
    }

    std::optional<QString> prepareError;
    int failAt = 0; // the submission that fails, 1-based; 0 none
    int prepares = 0;
    int submitted = 0;

private:
    Log& log_;
};

class LogPrompter : public Prompter {
public:
    explicit LogPrompter(Log& log) : log_(log) {}
    void message(const QString& text) override { log_.events << QStringLiteral("prompt ") + text; }
    void error(const QString& text) override { log_.events << QStringLiteral("error ") + text; }

private:
    Log& log_;
};

// Page callbacks that log which page routine ran and with which pen factor.
PrintRunPages loggingPages(Log& log) {
    const auto page = [&log](const QString& name) {
        return [&log, name](QPainter& painter, int penFactor) {
            EXPECT_TRUE(painter.isActive());
            log.events << QStringLiteral("draw %1 pen %2").arg(name).arg(penFactor);
        };
    };
    return {page(QStringLiteral("portrait-graph")), page(QStringLiteral("landscape-graph")),
            page(QStringLiteral("data"))};
}

struct RecordedRun {
    Log log;
    RecordingBackend backend{log};
    LogPrompter prompter{log};
    PrintRunResult result;

    QStringList go(PrintRunRequest request) {
        request.Title = QStringLiteral("ZZX12-65");
        result = RunPrint(request, loggingPages(log), backend, prompter);
        return log.events;
    }
};

PrintRunRequest request(bool graph, bool data, bool pause, FeedKind feed = FeedKind::None,
                        int penFactor = 0) {
    PrintRunRequest r;
    r.Graph = graph;
    r.Data = data;
    r.Pause = pause;
    r.Feed = feed;
    r.PenFactor = penFactor;
    return r;
}

TEST(PrintRun, PrintBothGivesTwoDocumentsAndPromptsBetweenThemOnlyWhenPausing) {
    {
        SCOPED_TRACE("without pause");
        RecordedRun run;
        EXPECT_EQ(run.go(request(true, true, false)),
                  (QStringList{QStringLiteral("draw portrait-graph pen 3"),
                               QStringLiteral("print ZZX12-65 RPE graph portrait"),
                               QStringLiteral("draw data pen 3"),
                               QStringLiteral("print ZZX12-65 RPE data portrait")}));
        EXPECT_EQ(run.result.JobIds, (std::vector<int>{101, 102}));
        EXPECT_EQ(run.result.PrinterName, QStringLiteral("Recorder"));
        EXPECT_TRUE(run.result.ok());
    }
    {
        SCOPED_TRACE("with pause, two-sided antenna");
        RecordedRun run;
        EXPECT_EQ(run.go(request(true, true, true, FeedKind::Right)),
                  (QStringList{QStringLiteral("draw landscape-graph pen 3"),
                               QStringLiteral("print ZZX12-65 RPE graph landscape"),
                               QStringLiteral("prompt Press Ok when ready to print second side"),
                               QStringLiteral("draw data pen 3"),
                               QStringLiteral("print ZZX12-65 RPE data portrait")}));
        EXPECT_EQ(run.result.JobIds.size(), 2u);
    }
}

TEST(PrintRun, OneDocumentRunsNeverPrompt) {
    {
        SCOPED_TRACE("data only, pausing");
        RecordedRun run;
        EXPECT_EQ(run.go(request(false, true, true, FeedKind::Left)),
                  (QStringList{QStringLiteral("draw data pen 3"),
                               QStringLiteral("print ZZX12-65 RPE data portrait")}));
    }
    {
        SCOPED_TRACE("graph only, pausing");
        RecordedRun run;
        EXPECT_EQ(run.go(request(true, false, true)),
                  (QStringList{QStringLiteral("draw portrait-graph pen 3"),
                               QStringLiteral("print ZZX12-65 RPE graph portrait")}));
    }
}

TEST(PrintRun, GraphOrientationFollowsTheFeedKind) {
    const std::pair<FeedKind, const char*> kinds[] = {
        {FeedKind::None, "portrait"},     {FeedKind::Right, "landscape"},
        {FeedKind::Left, "landscape"},    {FeedKind::UhpRight, "landscape"},
        {FeedKind::UhpLeft, "landscape"},
    };
    for (const auto& [feed, orientation] : kinds) {
        SCOPED_TRACE(feedKindName(feed).toStdString());
        RecordedRun run;
        const QStringList events = run.go(request(true, true, false, feed));
        ASSERT_EQ(events.size(), 4);
        EXPECT_EQ(events[0], QStringLiteral("draw %1-graph pen 3").arg(QLatin1String(orientation)));
        EXPECT_EQ(events[1],
                  QStringLiteral("print ZZX12-65 RPE graph %1").arg(QLatin1String(orientation)));
        EXPECT_EQ(events[3], QStringLiteral("print ZZX12-65 RPE data portrait"));
    }
}

TEST(PrintRun, PenWidthChoiceReachesEveryPrintedPage) {
    for (const auto& [chosen, used] : {std::pair{0, 3}, {1, 1}, {2, 2}, {3, 3}, {7, 3}}) {
        SCOPED_TRACE(chosen);
        RecordedRun run;
        const QStringList events = run.go(request(true, true, false, FeedKind::None, chosen));
        EXPECT_EQ(events.filter(QStringLiteral("draw ")),
                  (QStringList{QStringLiteral("draw portrait-graph pen %1").arg(used),
                               QStringLiteral("draw data pen %1").arg(used)}));
    }
}

TEST(PrintRun, NothingSelectedPrintsNothingAndAsksNothing) {
    RecordedRun run;
    EXPECT_TRUE(run.go(request(false, false, true)).isEmpty());
    EXPECT_EQ(run.backend.prepares, 0);
    EXPECT_TRUE(run.result.ok());
    EXPECT_TRUE(run.result.JobIds.empty());
}

TEST(PrintRun, NoPrinterIsSaidOnceAndNothingIsDrawn) {
    RecordedRun run;
    run.backend.prepareError = QStringLiteral("No printer is installed");
    EXPECT_EQ(run.go(request(true, true, true)),
              QStringList{QStringLiteral("error No printer is installed")});
    EXPECT_EQ(run.result.Error, QStringLiteral("No printer is installed"));
    EXPECT_EQ(run.backend.submitted, 0);
}

TEST(PrintRun, AFailedDocumentEndsTheRunWithTheSystemsTextAndIsNotRetried) {
    {
        SCOPED_TRACE("the graph fails: no prompt, no data sheet");
        RecordedRun run;
        run.backend.failAt = 1;
        EXPECT_EQ(run.go(request(true, true, true)),
                  (QStringList{QStringLiteral("draw portrait-graph pen 3"),
                               QStringLiteral("print ZZX12-65 RPE graph portrait"),
                               QStringLiteral("error The graph could not be printed on "
                                              "\"Recorder\": printer on fire")}));
        EXPECT_TRUE(run.result.JobIds.empty());
        EXPECT_FALSE(run.result.ok());
    }
    {
        SCOPED_TRACE("the data sheet fails after the graph went out");
        RecordedRun run;
        run.backend.failAt = 2;
        const QStringList events = run.go(request(true, true, false));
        EXPECT_EQ(events.last(), QStringLiteral("error The data sheet could not be printed on "
                                                "\"Recorder\": printer on fire"));
        EXPECT_EQ(run.backend.submitted, 2);
        EXPECT_EQ(run.result.JobIds, std::vector<int>{101});
    }
}

TEST(PrintChoice, TheCommandSetsGraphAndDataAndClearsTheOutputFlags) {
    const std::tuple<PrintChoice, bool, bool> cases[] = {
        {PrintChoice::GraphOnly, true, false},
        {PrintChoice::DataOnly, false, true},
        {PrintChoice::Both, true, true},
    };
    for (const auto& [choice, graph, data] : cases) {
        SCOPED_TRACE(int(choice));
        OutputFlags flags{!graph, !data, true, true, true};
        ApplyPrintChoice(choice, flags);
        EXPECT_EQ(flags.Graph, graph);
        EXPECT_EQ(flags.Data, data);
        EXPECT_FALSE(flags.MakeJPG || flags.MakeGIF || flags.MakePDF);
    }
}

} // namespace
