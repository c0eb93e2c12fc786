#include "platform/qtscheduler.h"

#include <QTimer>

#include <algorithm>

namespace {

class TimerAlarm : public Alarm
{
public:
    TimerAlarm(const QtScheduler &scheduler, std::function<void()> action)
        : m_scheduler(scheduler)
    {
        m_timer.setSingleShot(true);
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, std::move(action));
    }

    void arm(qint64 dueMs) override
    {
        const qint64 wait = std::max<qint64>(0, dueMs - m_scheduler.nowMs());
        m_timer.start(int(std::min<qint64>(wait, std::numeric_limits<int>::max())));
    }
    void cancel() override { m_timer.stop(); }
    bool isArmed() const override { return m_timer.isActive(); }

private:
    const QtScheduler &m_scheduler;
    QTimer m_timer;
};

} // namespace

QtScheduler::QtScheduler()
{
    m_clock.start();
}

qint64 QtScheduler::nowMs() const
{
    return m_clock.elapsed();
}

std::unique_ptr<Alarm> QtScheduler::alarm(std::function<void()> action)
{
    return std::make_unique<TimerAlarm>(*this, std::move(action));
}
