// The game timer against real QTimers: tick times measured, generous bounds, short waits.

#include "platform/gametimer.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

// When each tick came, in milliseconds since the log was made.
struct TickLog {
    explicit TickLog(GameTimer &timer)
    {
        clock.start();
        QObject::connect(&timer, &GameTimer::tick, [this] { at.append(clock.elapsed()); });
    }
    bool waitFor(int ticks)
    {
        return QTest::qWaitFor([&] { return at.size() >= ticks; }, 3000);
    }
    qint64 gap(int i) const { return at[i] - at[i - 1]; }
    QElapsedTimer clock;
    QList<qint64> at;
};

#define QVERIFY_WITHIN(value, low, high)                                                           \
    QVERIFY2((value) >= (low) && (value) < (high), qPrintable(QString::number(value)))

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
        timer.setEnabled(true); // enabling an enabled timer keeps its countdown
        QVERIFY(log.waitFor(2));
        QVERIFY_WITHIN(log.at[0], 140, 260);
        QVERIFY_WITHIN(log.gap(1), 120, 260);
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
        QVERIFY(timer.remainingTime() > 100); // still the countdown that began at enabling
        QVERIFY(log.waitFor(2));
        // The pending tick comes when it was due, the next one a new interval later.
        QVERIFY_WITHIN(log.at[0], 290, 420);
        QVERIFY_WITHIN(log.gap(1), newInterval - 10, newInterval + 120);
    }

    void zeroIntervalAndDisablingCancelThePendingTick()
    {
        GameTimer timer(100);
        TickLog log(timer);
        timer.setEnabled(true);
        QVERIFY(timer.remainingTime() > 0);
        timer.setInterval(0); // no ticks, and nothing scheduled, so the event loop can sleep
        QCOMPARE(timer.remainingTime(), -1);
        timer.setInterval(100); // a non-zero interval starts afresh
        QTest::qWait(60);
        timer.setEnabled(false);
        QCOMPARE(timer.remainingTime(), -1);
        QTest::qWait(120);
        QVERIFY(log.at.isEmpty());
        // Enabling again counts a whole interval from then, not the part left before.
        const qint64 enabledAt = log.clock.elapsed();
        timer.setEnabled(true);
        QVERIFY(log.waitFor(1));
        QVERIFY(log.at[0] - enabledAt >= 90);
        timer.setInterval(70000);
        QCOMPARE(timer.interval(), GameTimer::MaxInterval);
    }

    void changesMadeInsideATickApplyFromThatTick_data()
    {
        QTest::addColumn<bool>("restart");
        QTest::addRow("new interval") << false;
        QTest::addRow("disabled and enabled again") << true;
    }
    void changesMadeInsideATickApplyFromThatTick()
    {
        QFETCH(bool, restart);
        GameTimer timer(60);
        TickLog log(timer);
        connect(&timer, &GameTimer::tick, &timer, [&] {
            if (log.at.size() != 1)
                return;
            timer.setEnabled(!restart);
            timer.setInterval(250);
            timer.setEnabled(true);
        });
        timer.setEnabled(true);
        QVERIFY(log.waitFor(3));
        QVERIFY_WITHIN(log.gap(1), 240, 380);
        QVERIFY_WITHIN(log.gap(2), 240, 380);
    }

    void aSlowHandlerDoesNotMakeThePaceDrift()
    {
        GameTimer timer(40);
        TickLog log(timer);
        connect(&timer, &GameTimer::tick, &timer, [] {
            QElapsedTimer busy;
            busy.start();
            while (busy.elapsed() < 15) { }
        });
        timer.setEnabled(true);
        QVERIFY(log.waitFor(11));
        // Ten intervals: 400 ms on pace, 550 ms if each handler's time added up.
        QVERIFY_WITHIN(log.at[10] - log.at[0], 390, 500);
    }
};

QTEST_GUILESS_MAIN(TestGameTimer)
#include "tst_gametimer.moc"
