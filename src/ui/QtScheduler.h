#pragma once

#include <QElapsedTimer>
#include <QObject>

#include "automation/Scheduler.h"

#include <map>

class QTimer;

namespace keyferry {

/// The scheduler of the desktop app: precise single-shot timers on the Qt event loop, so
/// runs, countdowns and polling share the main thread with the UI.
class QtScheduler final : public Scheduler {
public:
    QtScheduler();
    ~QtScheduler() override;

    Duration now() const override;
    TimerId runAfter(Duration delay, std::function<void()> callback) override;
    void cancel(TimerId id) override;

private:
    QObject context_;
    QElapsedTimer clock_;
    std::map<TimerId, QTimer*> timers_;
    TimerId nextId_ = 1;
};

} // namespace keyferry
