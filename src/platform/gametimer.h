#pragma once

#include <QObject>

#include <memory>

class Alarm;
class Scheduler;

// A game timer with the semantics the game's pace needs, which a bare QTimer does not give:
// - an interval assignment never restarts the countdown in progress; the pending tick comes
//   when it was due and the new interval applies from that tick on, also when the assignment
//   is made inside the timer's own tick;
// - interval 0 means no ticks while the timer stays enabled (a zero QTimer would spin);
// - enabling starts a fresh interval, disabling cancels the pending tick;
// - ticks are scheduled from their due times, not from when the handler finished, so a slow
//   handler does not make the pace drift; after a stall longer than an interval the late tick
//   comes once and the count starts afresh, with no burst of missed ticks;
// - a silent timer keeps its flag and interval but schedules nothing: no wake-ups for nothing.
class GameTimer : public QObject
{
    Q_OBJECT

public:
    static constexpr int MaxInterval = 65535;

    enum class Kind {
        Ticking, // emits tick()
        Silent,  // never ticks: a timer the game switches like the others but gives no action
    };

    GameTimer(int intervalMs, Scheduler &scheduler, QObject *parent = nullptr,
              Kind kind = Kind::Ticking);
    ~GameTimer() override;

    int interval() const { return m_interval; }
    // 0 <= ms <= MaxInterval; values outside are clamped.
    void setInterval(int ms);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

signals:
    // Emitted once per interval while enabled with a non-zero interval.
    void tick();

private:
    bool wantsTicks() const;
    void startCountdown();
    void onDue();

    Scheduler &m_scheduler;
    std::unique_ptr<Alarm> m_alarm;
    qint64 m_due = 0; // when the pending tick is due, on the scheduler's clock
    int m_interval = 0;
    Kind m_kind;
    bool m_enabled = false;
    bool m_ticking = false; // inside our own tick signal
};
