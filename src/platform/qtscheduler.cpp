#include "platform/qtscheduler.h"

#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <limits>

#include <sys/timerfd.h>
#include <unistd.h>

namespace {

// The portable alarm: a precise single-shot QTimer, good to a millisecond or two.
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

// A timerfd armed at the absolute due time on the monotonic clock: the kernel wakes the event
// loop then, to within microseconds, and no rounding of a relative wait can delay it.
class TimerFdAlarm : public Alarm
{
public:
    TimerFdAlarm(const QtScheduler &scheduler, int fd, std::function<void()> action)
        : m_scheduler(scheduler)
        , m_fd(fd)
        , m_notifier(fd, QSocketNotifier::Read)
        , m_action(std::move(action))
    {
        QObject::connect(&m_notifier, &QSocketNotifier::activated, [this] { fire(); });
    }
    // The notifier, a member, unregisters itself right after, before any loop polls again.
    ~TimerFdAlarm() override { close(m_fd); }

    // Setting the timerfd clears its count of expirations: a wake-up the loop saw before finds
    // nothing to read (see fire()).
    void arm(qint64 dueMs) override
    {
        const auto due = m_scheduler.origin() + std::chrono::milliseconds(dueMs);
        const auto since =
            std::chrono::duration_cast<std::chrono::nanoseconds>(due.time_since_epoch()).count();
        itimerspec expiry{};
        // A due time that has passed fires at once; 0 would disarm, so at least 1 ns.
        expiry.it_value.tv_sec = std::max<qint64>(since, 1) / 1'000'000'000;
        expiry.it_value.tv_nsec = std::max<qint64>(since, 1) % 1'000'000'000;
        timerfd_settime(m_fd, TFD_TIMER_ABSTIME, &expiry, nullptr);
        m_armed = true;
    }
    void cancel() override
    {
        const itimerspec off{};
        timerfd_settime(m_fd, 0, &off, nullptr);
        m_armed = false;
    }
    bool isArmed() const override { return m_armed; }

private:
    // Clears the expiry; returns how many expirations there were (0: none since the last arm).
    quint64 drain()
    {
        quint64 expirations = 0;
        return read(m_fd, &expirations, sizeof expirations) > 0 ? expirations : 0;
    }
    void fire()
    {
        // The loop may come to a wake-up it saw before a tick in the same pass cancelled or
        // re-armed this alarm (both clear its count): nothing has expired since, so it is stale.
        if (drain() == 0)
            return;
        m_armed = false;
        m_action();
    }

    const QtScheduler &m_scheduler;
    int m_fd;
    QSocketNotifier m_notifier;
    std::function<void()> m_action;
    bool m_armed = false;
};

} // namespace

QtScheduler::QtScheduler()
    : m_origin(std::chrono::steady_clock::now())
{
}

qint64 QtScheduler::nowMs() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now()
                                                                 - m_origin)
        .count();
}

std::unique_ptr<Alarm> QtScheduler::alarm(std::function<void()> action)
{
    const int fd = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd >= 0)
        return std::make_unique<TimerFdAlarm>(*this, fd, std::move(action));
    return std::make_unique<TimerAlarm>(*this, std::move(action));
}
