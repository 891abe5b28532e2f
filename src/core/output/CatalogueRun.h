// SPDX-License-Identifier: MIT
#pragma once
// A catalogue export running in the background of a window: the plan and the run of
// CatalogueExport on a thread of their own, with progress and the end reported as signals on the
// thread that started it, and a stop that lets the workers finish the file in hand.
#include "output/CatalogueExport.h"

#include <QtCore/QObject>
#include <atomic>
#include <functional>
#include <thread>

namespace catalogue {

class BackgroundExport : public QObject {
    Q_OBJECT
public:
    explicit BackgroundExport(QObject* parent = nullptr);
    // Stops a run still going and waits for it.
    ~BackgroundExport() override;

    // Starts the run. The drawing is prepared on the calling thread first. False when a run is
    // going already.
    bool start(const Options& options);
    // Asks the run to start no further file.
    void stop();
    bool isRunning() const { return running_; }
    bool stopRequested() const { return stop_.load(); }
    // The report of the run that finished last.
    const Report& report() const { return report_; }
    const Options& options() const { return options_; }

    // Called on the worker after each file, once its progress signal is queued (tests). Set it
    // before start().
    std::function<void(const Progress&)> workerHook;

Q_SIGNALS:
    void progressed(int done, int total, const QString& fileName);
    void finished();

private:
    void joinThread();

    Options options_;
    Report report_;
    std::atomic<bool> stop_{false};
    bool running_ = false;
    std::thread thread_;
};

} // namespace catalogue
