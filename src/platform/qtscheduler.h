#pragma once

#include "platform/scheduler.h"

#include <chrono>

// Real time: the monotonic clock, and alarms that wake the event loop at the due time itself.
// An alarm is a timerfd armed at its absolute due time, watched by the event loop; when the
// kernel gives none (no descriptors left, say), a precise single-shot QTimer. (A QTimer counts
// whole milliseconds from the moment it is started and the GLib event loop rounds its wait up to
// the next millisecond, so its ticks came 0 to 2 ms after their due time, 1 ms in the median:
// too coarse for the game's pace.)
class QtScheduler : public Scheduler
{
public:
    QtScheduler();
    qint64 nowMs() const override;
    std::unique_ptr<Alarm> alarm(std::function<void()> action) override;

    // Where the clock's 0 lies on the system's monotonic clock.
    std::chrono::steady_clock::time_point origin() const { return m_origin; }

private:
    std::chrono::steady_clock::time_point m_origin;
};
