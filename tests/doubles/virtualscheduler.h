#pragma once

#include "platform/scheduler.h"

#include <QList>

// Time that passes only when a test says so. Alarms fire in the order they fall due, each with
// the clock showing its due time, exactly as a perfectly punctual event loop would call them.
class VirtualScheduler : public Scheduler
{
public:
    qint64 nowMs() const override { return m_now; }
    std::unique_ptr<Alarm> alarm(std::function<void()> action) override;

    // Lets `ms` pass, firing every alarm that falls due meanwhile (also those armed on the way).
    void advance(qint64 ms);
    // Lets `ms` pass without firing anything: the event loop was blocked (a stall).
    void stall(qint64 ms) { m_now += ms; }
    // How many alarms wait to wake the event loop.
    int armedAlarms() const;

private:
    class VirtualAlarm;
    QList<VirtualAlarm *> m_alarms;
    qint64 m_now = 0;
};
