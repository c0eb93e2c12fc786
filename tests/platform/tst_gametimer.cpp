#include "doubles/virtualscheduler.h"
#include "platform/gametimer.h"
#include "platform/qtscheduler.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

class TestGameTimer : public QObject
{
    Q_OBJECT

private slots:
    // A 40 ms timer after a 100 ms stall of the event loop, whose every tick takes 5 ms and sets
    // the interval to 50 ms, as the appearance ticks set theirs. The tick due at 40 comes late,
    // once; the next comes a whole new interval after it ended (105 + 50), and from then on the
    // ticks keep to their due times whatever the handler takes.
    void lateTickRestartsTheCountAndNewIntervalAppliesFromTheNextTick()
    {
        VirtualScheduler clock;
        GameTimer timer(40, clock);
        QList<qint64> ticks;
        QObject::connect(&timer, &GameTimer::tick, &timer, [&] {
            ticks << clock.nowMs();
            clock.stall(5);
            timer.setInterval(50);
        });
        timer.setEnabled(true);
        clock.stall(100);
        clock.advance(200);
        QCOMPARE(ticks, QList<qint64>({100, 155, 205, 255}));
    }

    // Interval 0 means no ticks from then on, also right after a restart in the timer's own tick;
    // a timer enabled at 0 starts when it gets an interval, also after it has ticked.
    void zeroIntervalSetAfterARestartInsideItsOwnTickStopsTheTicks()
    {
        VirtualScheduler clock;
        GameTimer idle(0, clock);
        idle.setEnabled(true);
        idle.setInterval(100);
        QSignalSpy idleTicks(&idle, &GameTimer::tick);
        GameTimer timer(40, clock);
        int ticks = 0;
        QObject::connect(&timer, &GameTimer::tick, &timer, [&] {
            ++ticks;
            timer.setEnabled(false);
            timer.setEnabled(true);
            timer.setInterval(0);
        });
        timer.setEnabled(true);
        clock.advance(400);
        QCOMPARE(ticks, 1);
        timer.setInterval(50); // from outside a tick: it starts again
        clock.advance(400);
        QCOMPARE(ticks, 2);
        QCOMPARE(idleTicks.size(), 8);
    }

    // Two real timers fall due in the same pass of the event loop. The first to tick stops the
    // other, interval 0, whose wake-up the loop saw before must not tick it; from then on the
    // other gets its interval again and again, as each appearance tick sets both timers': the
    // first time starts a whole new interval, the next ones leave its countdown running.
    void timerStoppedInsideAnotherTimersTickWaitsAWholeInterval()
    {
        QtScheduler clock;
        GameTimer a(100, clock);
        GameTimer b(100, clock);
        GameTimer *restarted = nullptr;
        qint64 restartedAt = 0;
        qint64 nextTick = -1;
        QTimer again;
        QObject::connect(&again, &QTimer::timeout, [&] { restarted->setInterval(100); });
        for (auto [self, other] : {std::pair(&a, &b), std::pair(&b, &a)})
            QObject::connect(self, &GameTimer::tick, self, [&, self, other] {
                if (!restarted) {
                    restarted = other;
                    restartedAt = clock.nowMs();
                    other->setInterval(0);
                    again.start(30);
                } else if (self == restarted && nextTick < 0) {
                    nextTick = clock.nowMs();
                }
            });
        a.setEnabled(true);
        b.setEnabled(true);
        QVERIFY(QTest::qWaitFor([&] { return nextTick >= 0; }, 10000));
        QCOMPARE_GE(nextTick - restartedAt, 80);
    }
};

QTEST_GUILESS_MAIN(TestGameTimer)
#include "tst_gametimer.moc"
