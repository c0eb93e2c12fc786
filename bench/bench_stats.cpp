// Times the statistics window on a long history: from constructing it on 10,000 rounds of about
// 30 hits each to its first paint. Prints milliseconds (the median and the worst of a few runs);
// runs on the display it is given, or offscreen without one.

#include "platform/history.h"
#include "window/chartview.h"
#include "window/statswindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int Rounds = 10000;
constexpr int Runs = 7;

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

// The same history on every run: a fixed pseudo-random sequence.
void fill(History &history)
{
    quint32 state = 1;
    const auto next = [&state](int range) {
        state = state * 1664525u + 1013904223u;
        return int((state >> 8) % quint32(range));
    };
    const QDateTime start(QDate(2026, 1, 1), QTime(12, 0), Qt::UTC);
    for (int i = 0; i < Rounds; ++i) {
        RoundRecord round;
        round.finishedUtc = start.addSecs(qint64(i) * 300);
        round.nick = QStringLiteral("Bench");
        round.level = 1 + next(5);
        round.hits = 25 + next(11);
        round.clicks = round.hits + next(8);
        round.seconds = 20 + next(40);
        round.score = round.hits * round.level * (1 + next(20));
        round.accuracy = std::trunc(double(round.hits) / double(round.clicks) * 1000) / 10;
        round.clicksPerMinute = std::trunc(double(round.clicks) / double(round.seconds) * 60);
        for (qint64 hit = 0; hit < round.hits; ++hit)
            round.reactionMs << 180 + next(600);
        history.add(round);
    }
}

// Notes every widget it watches that has been painted.
class PaintWatcher : public QObject
{
public:
    QSet<QObject *> painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched);
        return false;
    }
};

// From the constructor to the end of the event in which the last chart was first painted, the
// window shown as the game shows it.
double toFirstPaint(History &history)
{
    QElapsedTimer timer;
    timer.start();
    StatsWindow window(history);
    PaintWatcher watcher;
    const QList<ChartView *> charts = window.findChildren<ChartView *>();
    for (ChartView *chart : charts)
        chart->installEventFilter(&watcher);
    window.show();
    while (watcher.painted.size() < charts.size())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return double(timer.nsecsElapsed()) / 1e6;
}

// From the constructor to a picture of the whole window, without the window system.
double toGrab(History &history)
{
    QElapsedTimer timer;
    timer.start();
    StatsWindow window(history);
    window.grab();
    return double(timer.nsecsElapsed()) / 1e6;
}

// What reading the rounds alone costs.
double toRead(History &history)
{
    QElapsedTimer timer;
    timer.start();
    const qsizetype count = history.rounds(QStringLiteral("Bench")).size();
    if (count != Rounds)
        out() << "read " << count << " rounds instead of " << Rounds << '\n';
    return double(timer.nsecsElapsed()) / 1e6;
}

template <typename Measure>
void report(const char *what, History &history, Measure measure)
{
    QList<double> runs;
    for (int run = 0; run < Runs; ++run)
        runs << measure(history);
    std::sort(runs.begin(), runs.end());
    out() << what << ": median " << QString::number(runs[Runs / 2], 'f', 1) << " ms, worst "
          << QString::number(runs.last(), 'f', 1) << " ms (" << Runs << " runs)\n";
    out().flush();
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
        && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    qputenv("XDG_DATA_HOME", dir.path().toUtf8());
    History history(History::standardPath());

    QElapsedTimer timer;
    timer.start();
    fill(history);
    out() << "history of " << Rounds << " rounds written in "
          << QString::number(double(timer.elapsed()) / 1000, 'f', 1) << " s\n";
    if (!history.problem().isEmpty())
        out() << "history: " << history.problem() << '\n';

    report("reading the rounds", history, toRead);
    report("window constructed to its picture (grab)", history, toGrab);
    report("window constructed to its first paint on screen", history, toFirstPaint);
    return 0;
}
