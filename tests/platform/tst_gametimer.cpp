#include "doubles/virtualscheduler.h"
#include "platform/gametimer.h"
#include "platform/qtscheduler.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

// The lowest free file descriptor: with the limit there, no descriptor can be opened.
static rlim_t lowestFreeDescriptor()
{
    const int fd = open("/dev/null", O_RDONLY);
    close(fd);
    return rlim_t(fd);
}

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
    // a timer enabled at 0 starts when it gets an interval.
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
        QCOMPARE(idleTicks.size(), 4);
    }

    // On the real clock too, an interval set while a countdown runs leaves it be: the tick due
    // at 300 ms comes then, not 100 ms after the change; the next one is due 100 ms after that
    // due time (a late tick does not push it back, so the margins are one-sided).
    void newIntervalWaitsForThePendingTickOnTheRealClock()
    {
        QtScheduler clock;
        GameTimer timer(300, clock);
        QList<qint64> ticks;
        QObject::connect(&timer, &GameTimer::tick, &timer, [&] { ticks << clock.nowMs(); });
        timer.setEnabled(true);
        QTimer::singleShot(50, &timer, [&timer] { timer.setInterval(100); });
        QVERIFY(QTest::qWaitFor([&] { return ticks.size() == 2; }, 10000));
        QCOMPARE_GE(ticks[0], 290);
        QCOMPARE_GE(ticks[1], 390);
    }

    // Two real timers fall due in the same pass of the event loop. The first to tick restarts
    // the other, whose wake-up the loop saw before that restart must not tick it: its next tick
    // is a whole interval away. Also with the alarms used where no timerfd can be had (here: no
    // file descriptor is left when the timers are made).
    void restartInsideAnotherTimersTickWaitsAWholeInterval_data()
    {
        QTest::addColumn<bool>("noDescriptorLeft");
        QTest::newRow("timerfd") << false;
        QTest::newRow("QTimer") << true;
    }
    void restartInsideAnotherTimersTickWaitsAWholeInterval()
    {
        QFETCH(bool, noDescriptorLeft);
#ifdef __SANITIZE_ADDRESS__
        if (noDescriptorLeft)
            QSKIP("the sanitizers' own checks need file descriptors; the normal build runs it");
#endif
        QtScheduler clock;
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &limit), 0);
        const rlimit none{lowestFreeDescriptor(), limit.rlim_max};
        QCOMPARE(setrlimit(RLIMIT_NOFILE, noDescriptorLeft ? &none : &limit), 0);
        GameTimer a(100, clock);
        GameTimer b(100, clock);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &limit), 0);
        GameTimer *restarted = nullptr;
        qint64 restartedAt = 0;
        qint64 nextTick = -1;
        for (auto [self, other] : {std::pair(&a, &b), std::pair(&b, &a)})
            QObject::connect(self, &GameTimer::tick, self, [&, self, other] {
                if (!restarted) {
                    restarted = other;
                    restartedAt = clock.nowMs();
                    other->setEnabled(false);
                    other->setEnabled(true);
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
