#include "doubles/virtualscheduler.h"
#include "platform/gametimer.h"

#include <QTest>

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
};

QTEST_GUILESS_MAIN(TestGameTimer)
#include "tst_gametimer.moc"
