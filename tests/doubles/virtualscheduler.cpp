#include "virtualscheduler.h"

class VirtualScheduler::VirtualAlarm : public Alarm
{
public:
    VirtualAlarm(VirtualScheduler &owner, std::function<void()> action)
        : owner(owner)
        , action(std::move(action))
    {
        owner.m_alarms.append(this);
    }
    ~VirtualAlarm() override { owner.m_alarms.removeOne(this); }
    void arm(qint64 dueMs) override
    {
        due = std::max(dueMs, owner.m_now);
        armed = true;
    }
    void cancel() override { armed = false; }
    bool isArmed() const override { return armed; }

    VirtualScheduler &owner;
    std::function<void()> action;
    qint64 due = 0;
    bool armed = false;
};

int VirtualScheduler::armedAlarms() const
{
    return int(std::count_if(m_alarms.begin(), m_alarms.end(), [](auto *a) { return a->armed; }));
}

std::unique_ptr<Alarm> VirtualScheduler::alarm(std::function<void()> action)
{
    return std::make_unique<VirtualAlarm>(*this, std::move(action));
}

void VirtualScheduler::advance(qint64 ms)
{
    const qint64 end = m_now + ms;
    for (;;) {
        VirtualAlarm *next = nullptr;
        for (VirtualAlarm *alarm : m_alarms) {
            if (alarm->armed && alarm->due <= end && (!next || alarm->due < next->due))
                next = alarm;
        }
        if (!next)
            break;
        m_now = std::max(m_now, next->due); // one that fell due in a stall comes late, now
        next->armed = false;
        next->action();
    }
    m_now = std::max(m_now, end); // an action may have stalled past the end
}
