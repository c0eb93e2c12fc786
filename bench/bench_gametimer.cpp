// How close to its due time each tick of a game timer comes: the pace the player feels.
// Runs two timers the way a round does (one at 1000 - 1.9 h ms, one at 1050 - 2 h ms, both
// shortened as hits come) and prints the lateness of the ticks.

#include "platform/gametimer.h"
#include "platform/qtscheduler.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <numeric>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QElapsedTimer clock;
    clock.start();

    struct Pace {
        GameTimer *timer;
        qint64 due;
        QList<qint64> lateness;
    };
    QtScheduler scheduler;
    GameTimer first(60, scheduler), second(50, scheduler);
    std::array<Pace, 2> paces{{{&first, 60, {}}, {&second, 50, {}}}};
    for (Pace &pace : paces) {
        QObject::connect(pace.timer, &GameTimer::tick, pace.timer, [&pace, &clock] {
            pace.lateness.append(clock.elapsed() - pace.due);
            // Shorter and shorter, as with every hit; the new interval applies from this tick.
            pace.timer->setInterval(std::max(10, pace.timer->interval() - 1));
            pace.due += pace.timer->interval();
        });
        pace.timer->setEnabled(true);
    }
    QTimer::singleShot(3000, &app, &QCoreApplication::quit);
    app.exec();

    QTextStream out(stdout);
    for (const Pace &pace : paces) {
        const QList<qint64> &late = pace.lateness;
        const double mean =
            double(std::accumulate(late.begin(), late.end(), qint64(0))) / late.size();
        out << "timer: " << late.size() << " ticks, lateness mean " << mean << " ms, worst "
            << *std::max_element(late.begin(), late.end()) << " ms, earliest "
            << *std::min_element(late.begin(), late.end()) << " ms\n";
    }
    return 0;
}
