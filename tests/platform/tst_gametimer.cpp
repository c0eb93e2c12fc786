// The game timer against real QTimers: tick times measured, generous bounds, short waits.

#include "platform/gametimer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>

namespace {

// Records when each tick came, in milliseconds since the recorder was made.
struct TickLog {
    explicit TickLog(GameTimer &timer)
    {
        clock.start();
        QObject::connect(&timer, &GameTimer::tick, [this] { at.append(clock.elapsed()); });
    }
    bool waitFor(int ticks, int timeoutMs = 2000)
    {
        return QTest::qWaitFor([&] { return at.size() >= ticks; }, timeoutMs);
    }
    QElapsedTimer clock;
    QList<qint64> at;
};

} // namespace

class TestGameTimer : public QObject
{
    Q_OBJECT

private slots:
    void enablingStartsAFreshInterval()
    {
        GameTimer timer(150);
        QTest::qWait(60); // time before enabling must not count
        TickLog log(timer);
        timer.setEnabled(true);
        QVERIFY(log.waitFor(2));
        QVERIFY2(log.at[0] >= 140 && log.at[0] < 260, qPrintable(QString::number(log.at[0])));
        QVERIFY(log.at[1] - log.at[0] >= 120);
    }

    void assignmentKeepsThePendingTick_data()
    {
        QTest::addColumn<int>("newInterval");
        QTest::addRow("shorter") << 60;
        QTest::addRow("unchanged") << 300;
        QTest::addRow("longer") << 600;
    }
    void assignmentKeepsThePendingTick()
    {
        QFETCH(int, newInterval);
        GameTimer timer(300);
        TickLog log(timer);
        timer.setEnabled(true);
        QTest::qWait(120);
        timer.setInterval(newInterval);
        QCOMPARE(timer.interval(), newInterval);
        QVERIFY(timer.remainingTime() > 100); // still the countdown that began at enabling
        QVERIFY(log.waitFor(2, 3000));
        // The first tick comes when it was due, the second one new interval later.
        QVERIFY2(log.at[0] >= 290 && log.at[0] < 420, qPrintable(QString::number(log.at[0])));
        const qint64 gap = log.at[1] - log.at[0];
        QVERIFY2(gap >= newInterval - 10 && gap < newInterval + 120, qPrintable(QString::number(gap)));
    }

    void intervalZeroGivesNoTicksAndDoesNotSpin()
    {
        GameTimer timer(0);
        QSignalSpy ticks(&timer, &GameTimer::tick);
        timer.setEnabled(true);
        QCOMPARE(timer.remainingTime(), -1); // nothing scheduled, so the event loop can sleep
        QTest::qWait(150);
        QCOMPARE(ticks.count(), 0);

        // Going to 0 while a tick is pending cancels it; a later interval starts afresh.
        timer.setInterval(100);
        QVERIFY(timer.remainingTime() > 0);
        timer.setInterval(0);
        QCOMPARE(timer.remainingTime(), -1);
        QTest::qWait(150);
        QCOMPARE(ticks.count(), 0);
        timer.setInterval(50);
        QVERIFY(ticks.wait(1000));
    }

    void disablingCancelsThePendingTick()
    {
        GameTimer timer(100);
        QSignalSpy ticks(&timer, &GameTimer::tick);
        timer.setEnabled(true);
        QTest::qWait(60);
        timer.setEnabled(false);
        QCOMPARE(timer.remainingTime(), -1);
        QTest::qWait(120);
        QCOMPARE(ticks.count(), 0);

        // Enabling again counts a whole interval from then, not the part left before.
        TickLog log(timer);
        timer.setEnabled(true);
        QVERIFY(log.waitFor(1));
        QVERIFY2(log.at[0] >= 90, qPrintable(QString::number(log.at[0])));
    }

    void enablingAnEnabledTimerKeepsItsCountdown()
    {
        GameTimer timer(200);
        TickLog log(timer);
        timer.setEnabled(true);
        QTest::qWait(100);
        timer.setEnabled(true);
        QVERIFY(log.waitFor(1));
        QVERIFY2(log.at[0] < 280, qPrintable(QString::number(log.at[0])));
    }

    void changesMadeInsideATickApplyFromThatTick()
    {
        GameTimer timer(80);
        TickLog log(timer);
        connect(&timer, &GameTimer::tick, &timer, [&] {
            if (log.at.size() == 1)
                timer.setInterval(250);
        });
        timer.setEnabled(true);
        QVERIFY(log.waitFor(2));
        const qint64 gap = log.at[1] - log.at[0];
        QVERIFY2(gap >= 240 && gap < 360, qPrintable(QString::number(gap)));
    }

    void restartingInsideATickGivesOneFreshCountdown()
    {
        GameTimer timer(60);
        TickLog log(timer);
        connect(&timer, &GameTimer::tick, &timer, [&] {
            if (log.at.size() == 1) {
                timer.setEnabled(false);
                timer.setInterval(200);
                timer.setEnabled(true);
            }
        });
        timer.setEnabled(true);
        QVERIFY(log.waitFor(3));
        QVERIFY2(log.at[1] - log.at[0] >= 190, qPrintable(QString::number(log.at[1] - log.at[0])));
        QVERIFY2(log.at[2] - log.at[1] >= 190, qPrintable(QString::number(log.at[2] - log.at[1])));
    }

    void aSlowHandlerDoesNotMakeThePaceDrift()
    {
        GameTimer timer(40);
        TickLog log(timer);
        connect(&timer, &GameTimer::tick, &timer, [] {
            QElapsedTimer busy;
            busy.start();
            while (busy.elapsed() < 15) {
            }
        });
        timer.setEnabled(true);
        QVERIFY(log.waitFor(11));
        // Ten intervals from the first tick: 400 ms on pace, 550 ms if each handler's time added up.
        const qint64 span = log.at[10] - log.at[0];
        QVERIFY2(span >= 390 && span < 500, qPrintable(QString::number(span)));
    }

    void intervalIsClampedToTheTimerRange()
    {
        GameTimer timer(1000);
        timer.setInterval(-5);
        QCOMPARE(timer.interval(), 0);
        timer.setInterval(70000);
        QCOMPARE(timer.interval(), GameTimer::MaxInterval);
    }
};

QTEST_GUILESS_MAIN(TestGameTimer)
#include "tst_gametimer.moc"
