#pragma once

#include <QtGlobal>

#include <functional>
#include <memory>

// A wake-up at a given time; created by a Scheduler.
class Alarm
{
public:
    virtual ~Alarm() = default;
    // Calls the alarm's action once at `dueMs` on the scheduler's clock (at once when that has
    // passed); replaces any earlier arming.
    virtual void arm(qint64 dueMs) = 0;
    virtual void cancel() = 0;
    virtual bool isArmed() const = 0;
};

// Where the game's timers take their time from: a monotonic clock in milliseconds and alarms on
// it. The game uses real time (QtScheduler); tests use a clock of their own that they advance.
class Scheduler
{
public:
    virtual ~Scheduler() = default;
    virtual qint64 nowMs() const = 0;
    // An alarm that calls `action` on the window's thread whenever it is due.
    virtual std::unique_ptr<Alarm> alarm(std::function<void()> action) = 0;
};
