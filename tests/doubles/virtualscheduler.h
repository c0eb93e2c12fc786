#pragma once

#include "platform/scheduler.h"

#include <QList>
#include <limits>

// Time that passes only when a test says so. Alarms fire in the order they fall due, each with
// the clock showing its due time, as a perfectly punctual event loop would call them.
class VirtualScheduler : public Scheduler
{
public:
    qint64 nowMs() const override { return m_now; }
    std::unique_ptr<Alarm> alarm(std::function<void()> action) override
    {
        return std::make_unique<VirtualAlarm>(m_alarms, std::move(action));
    }

    // Lets `ms` pass, firing every alarm that falls due meanwhile (also those armed on the way).
    // One that fell due during a stall fires late, at the present.
    void advance(qint64 ms)
    {
        const qint64 end = m_now + ms;
        for (;;) {
            const auto next = std::min_element(m_alarms.begin(), m_alarms.end(),
                                               [](auto *a, auto *b) { return a->due < b->due; });
            if (next == m_alarms.end() || (*next)->due > end)
                break;
            m_now = std::max(m_now, (*next)->due);
            (*next)->due = NotArmed;
            (*next)->action();
        }
        m_now = std::max(m_now, end); // an action may have stalled past the end
    }
    // Lets `ms` pass without firing anything: the event loop was blocked.
    void stall(qint64 ms) { m_now += ms; }

private:
    static constexpr qint64 NotArmed = std::numeric_limits<qint64>::max();
    struct VirtualAlarm : Alarm {
        VirtualAlarm(QList<VirtualAlarm *> &all, std::function<void()> action)
            : all(all)
            , action(std::move(action))
        {
            all.append(this);
        }
        ~VirtualAlarm() override { all.removeOne(this); }
        void arm(qint64 dueMs) override { due = dueMs; }
        void cancel() override { due = NotArmed; }
        bool isArmed() const override { return due != NotArmed; }

        QList<VirtualAlarm *> &all;
        std::function<void()> action;
        qint64 due = NotArmed;
    };

    QList<VirtualAlarm *> m_alarms;
    qint64 m_now = 0;
};
