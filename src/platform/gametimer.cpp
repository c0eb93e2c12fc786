#include "platform/gametimer.h"

#include <algorithm>

GameTimer::GameTimer(int intervalMs, QObject *parent)
    : QObject(parent)
    , m_interval(std::clamp(intervalMs, 0, MaxInterval))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &GameTimer::onTimeout);
    m_clock.start();
}

void GameTimer::setInterval(int ms)
{
    m_interval = std::clamp(ms, 0, MaxInterval);
    if (!m_enabled || m_ticking)
        return; // the tick in progress schedules the next one with the new interval
    if (m_interval == 0)
        m_timer.stop();
    else if (!m_timer.isActive())
        startCountdown(m_clock.elapsed() + m_interval); // was idle at interval 0
}

void GameTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    m_timer.stop();
    if (enabled && m_interval > 0)
        startCountdown(m_clock.elapsed() + m_interval);
}

int GameTimer::remainingTime() const
{
    return m_timer.isActive() ? std::max(0, m_timer.remainingTime()) : -1;
}

void GameTimer::startCountdown(qint64 dueMs)
{
    m_due = dueMs;
    m_timer.start(static_cast<int>(std::max<qint64>(0, m_due - m_clock.elapsed())));
}

void GameTimer::onTimeout()
{
    m_ticking = true;
    emit tick();
    m_ticking = false;
    // The handler may have disabled the timer, or disabled and enabled it again (a fresh
    // countdown is then already running).
    if (!m_enabled || m_timer.isActive() || m_interval == 0)
        return;
    const qint64 now = m_clock.elapsed();
    qint64 next = m_due + m_interval;
    // After a stall of more than a whole interval, start afresh rather than firing a burst.
    if (next < now)
        next = now;
    startCountdown(next);
}
