#include "doubles/virtualscheduler.h"
#include "platform/gametimer.h"

#include <QTest>

using Times = QList<qint64>;

// A 40 ms timer switched on at time 0, with a listener that notes when each tick comes.
struct Timed {
    VirtualScheduler clock;
    GameTimer timer{40, clock};
    Times ticks;
    Timed()
    {
        QObject::connect(&timer, &GameTimer::tick, &timer, [this] { ticks << clock.nowMs(); });
        timer.setEnabled(true);
    }
};

class TestGameTimer : public QObject
{
    Q_OBJECT

private slots:
    void intervalSetInOwnTickAppliesFromNextTick_data()
    {
        QTest::addColumn<int>("interval");
        QTest::addColumn<Times>("ticks");
        QTest::newRow("the same 40 ms: ten ticks in exactly 400 ms")
            << 40 << Times{40, 80, 120, 160, 200, 240, 280, 320, 360, 400};
        QTest::newRow("100 ms from the next tick on") << 100 << Times{40, 140, 240, 340};
    }
    void intervalSetInOwnTickAppliesFromNextTick()
    {
        QFETCH(int, interval);
        QFETCH(Times, ticks);
        Timed t;
        // Like Speed in an appearance tick, which takes a few milliseconds of its own.
        QObject::connect(&t.timer, &GameTimer::tick, &t.timer, [&] {
            t.clock.stall(5);
            t.timer.setInterval(interval);
        });
        t.clock.advance(400);
        QCOMPARE(t.ticks, ticks);
    }

    void intervalSetBetweenTicksLeavesPendingTickOnTime()
    {
        Timed t;
        t.clock.advance(30);
        t.timer.setInterval(100);
        t.clock.advance(170);
        QCOMPARE(t.ticks, (Times{40, 140}));
    }

    void zeroIntervalStopsTicksUntilANewCountdown()
    {
        Timed t;
        t.clock.advance(50);
        t.timer.setInterval(0);
        t.clock.advance(200);
        t.timer.setInterval(40);
        t.clock.advance(40);
        QCOMPARE(t.ticks, (Times{40, 290}));
    }

    void disablingCancelsAndEnablingStartsAFullInterval()
    {
        Timed t;
        t.clock.advance(30);
        t.timer.setEnabled(false);
        t.clock.advance(30);
        t.timer.setEnabled(true);
        t.clock.advance(50);
        QCOMPARE(t.ticks, (Times{100}));
    }

    void stallGivesOneLateTickThenAWholeInterval()
    {
        Timed t;
        t.clock.stall(300);
        t.clock.advance(40);
        QCOMPARE(t.ticks, (Times{300, 340}));
    }

    void timerNobodyListensToWakesNobody()
    {
        VirtualScheduler clock;
        GameTimer timer(40, clock);
        timer.setEnabled(true);
        QCOMPARE(clock.armedAlarms(), 0);
        clock.advance(25);
        Times ticks;
        QObject::connect(&timer, &GameTimer::tick, &timer, [&] { ticks << clock.nowMs(); });
        clock.advance(40);
        QCOMPARE(ticks, (Times{65}));
    }
};

QTEST_GUILESS_MAIN(TestGameTimer)
#include "tst_gametimer.moc"
