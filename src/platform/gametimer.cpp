#include "platform/gametimer.h"

#include "platform/scheduler.h"

#include <algorithm>

GameTimer::GameTimer(int intervalMs, Scheduler &scheduler, QObject *parent, Kind kind)
    : QObject(parent)
    , m_scheduler(scheduler)
    , m_alarm(scheduler.alarm([this] { onDue(); }))
    , m_interval(std::clamp(intervalMs, 0, MaxInterval))
    , m_kind(kind)
{
}

GameTimer::~GameTimer() = default;

void GameTimer::setInterval(int ms)
{
    m_interval = std::clamp(ms, 0, MaxInterval);
    if (!m_enabled)
        return;
    if (m_interval == 0)
        m_alarm->cancel(); // also a fresh countdown that our own tick started by re-enabling
    else if (m_ticking)
        return; // the tick in progress schedules the next one with the new interval
    else if (!m_alarm->isArmed())
        startCountdown(); // was idle at interval 0
}

void GameTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    m_alarm->cancel();
    if (enabled)
        startCountdown();
}

bool GameTimer::wantsTicks() const
{
    return m_interval > 0 && m_kind == Kind::Ticking;
}

void GameTimer::startCountdown()
{
    if (!wantsTicks())
        return;
    m_due = m_scheduler.nowMs() + m_interval;
    m_alarm->arm(m_due);
}

void GameTimer::onDue()
{
    m_ticking = true;
    emit tick();
    m_ticking = false;
    // The handler may have disabled the timer, or disabled and enabled it again (a fresh
    // countdown is then already running).
    if (!m_enabled || m_alarm->isArmed() || !wantsTicks())
        return;
    const qint64 now = m_scheduler.nowMs();
    m_due += m_interval;
    if (m_due < now)
        m_due = now + m_interval; // after a stall: start afresh instead of catching up
    m_alarm->arm(m_due);
}
