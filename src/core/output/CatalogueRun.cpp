// SPDX-License-Identifier: MIT
#include "output/CatalogueRun.h"

#include <QtCore/QMetaObject>
#include <QtCore/QPointer>

namespace catalogue {

BackgroundExport::BackgroundExport(QObject* parent) : QObject(parent) {}

BackgroundExport::~BackgroundExport() {
    stop();
    joinThread();
}

void BackgroundExport::joinThread() {
    if (thread_.joinable())
        thread_.join();
}

bool BackgroundExport::start(const Options& options) {
    if (running_)
        return false;
    joinThread();
    options_ = options;
    report_ = Report{};
    stop_ = false;
    running_ = true;
    PrepareDrawing(options.format);
    thread_ = std::thread([this, options] {
        const Plan plan = PlanCatalogueExport(options);
        Report report;
        if (stop_.load()) {
            report.total = static_cast<int>(plan.items.size());
            report.error = plan.error;
            report.stopped = plan.error.isEmpty();
        } else {
            report = RunCatalogueExport(
                options, plan,
                [this](const Progress& p) {
                    QMetaObject::invokeMethod(
                        this, [this, p] { Q_EMIT progressed(p.done, p.total, p.fileName); },
                        Qt::QueuedConnection);
                    if (workerHook)
                        workerHook(p);
                },
                &stop_);
        }
        // Delivered after every progress signal; the object outlives the thread (its
        // destructor joins it), so the queued call always has a receiver.
        QMetaObject::invokeMethod(
            this,
            [this, report] {
                report_ = report;
                running_ = false;
                joinThread();
                Q_EMIT finished();
            },
            Qt::QueuedConnection);
    });
    return true;
}

void BackgroundExport::stop() {
    stop_ = true;
}

} // namespace catalogue
