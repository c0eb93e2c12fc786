#pragma once

#include "platform/scheduler.h"

#include <QElapsedTimer>

// Real time: a monotonic clock, and alarms on precise single-shot QTimers (the pace of the game
// is the product, so no coarse timers).
class QtScheduler : public Scheduler
{
public:
    QtScheduler();
    qint64 nowMs() const override;
    std::unique_ptr<Alarm> alarm(std::function<void()> action) override;

private:
    QElapsedTimer m_clock;
};
