#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// A game timer with the semantics the game's pace needs, which a bare QTimer does not give:
// - an interval assignment never restarts the countdown in progress; the pending tick comes
//   when it was due and the new interval applies from that tick on;
// - interval 0 means no ticks while the timer stays enabled (a zero QTimer would spin);
// - enabling starts a fresh interval, disabling cancels the pending tick;
// - ticks are scheduled from their due times, not from when the handler finished, so a slow
//   handler does not make the pace drift.
class GameTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxInterval = 65535;

    explicit GameTimer(int intervalMs, QObject *parent = nullptr);

    int interval() const { return m_interval; }
    // 0 <= ms <= MaxInterval; values outside are clamped.
    void setInterval(int ms);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Milliseconds until the pending tick, or -1 when none is pending.
    int remainingTime() const;

signals:
    // Emitted once per interval while enabled with a non-zero interval.
    void tick();

private:
    void startCountdown(qint64 dueMs);
    void onTimeout();

    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_due = 0; // when the pending tick is due, on m_clock
    int m_interval = 0;
    bool m_enabled = false;
    bool m_ticking = false; // inside our own tick signal
};
