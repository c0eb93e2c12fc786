// Runs bench_window several times for every figure, alternating the game and its baseline so
// that a change in the machine's load touches both, and prints one Markdown table: the median
// and the worst run of each, their ratio, and the goal.
//
//   bench_report BENCH_WINDOW [RUNS [PART]]   (under an X server; scripts/bench.sh sets one up)
//
// PART (startup, pace, clicks or memory) measures that part alone, for a quick look.

#include "benchsupport.h"

#include <QDir>
#include <QMap>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <cmath>
#include <functional>
#include <optional>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

using Figures = QMap<QString, double>;

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// Starts the program and reads its key=value lines. The launch timestamp goes into the child's
// environment as the last thing before the spawn, on the clock the child reads too.
Figures run(const QString &program, const QStringList &arguments)
{
    std::vector<QByteArray> owned{program.toLocal8Bit()};
    for (const QString &argument : arguments)
        owned.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &each : owned)
        argv.push_back(each.data());
    argv.push_back(nullptr);

    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);

    std::vector<QByteArray> environment;
    for (char **each = environ; *each; ++each) {
        if (!QByteArray(*each).startsWith("BENCH_LAUNCH_NS="))
            environment.emplace_back(*each);
    }
    environment.emplace_back();
    std::vector<char *> envp;
    for (QByteArray &each : environment)
        envp.push_back(each.data());
    envp.push_back(nullptr);

    pid_t child = 0;
    environment.back() = "BENCH_LAUNCH_NS=" + QByteArray::number(Bench::monotonicNs());
    envp[envp.size() - 2] = environment.back().data();
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    QByteArray output;
    char buffer[4096];
    for (ssize_t got; (got = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, got);
    close(pipeEnds[0]);
    int status = 0;
    if (spawned == 0)
        waitpid(child, &status, 0);
    if (spawned != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        err() << "bench_report: " << arguments.join(' ') << " failed\n" << Qt::flush;

    Figures figures;
    for (const QByteArray &line : output.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals > 0)
            figures[QString::fromLatin1(line.left(equals))] = line.mid(equals + 1).toDouble();
    }
    return figures;
}

struct Series {
    std::vector<Figures> runs;
    std::vector<double> values(const QString &key) const
    {
        std::vector<double> found;
        for (const Figures &figures : runs) {
            if (figures.contains(key))
                found.push_back(figures[key]);
        }
        return found;
    }
};

struct Row {
    QString figure;
    QString key;
    const Series *game;
    const Series *baseline; // may be null
    QString goal;
    // Judges the game's median (and the ratio to the baseline's, NaN without one).
    std::function<bool(double median, double ratio)> met;
    bool signedValue = false; // the worst run is the one farthest from zero
};

QString number(double value)
{
    if (std::isnan(value))
        return QStringLiteral("—");
    const double magnitude = std::abs(value);
    const int decimals = magnitude >= 100 ? 0 : magnitude >= 10 ? 1 : magnitude >= 1 ? 2 : 3;
    return QString::number(value, 'f', decimals);
}

double median(const std::vector<double> &values)
{
    return values.empty() ? NAN : Bench::quantile(values, 0.5);
}

double worst(const std::vector<double> &values, bool signedValue)
{
    if (values.empty())
        return NAN;
    if (!signedValue)
        return *std::max_element(values.begin(), values.end());
    return *std::max_element(values.begin(), values.end(),
                             [](double a, double b) { return std::abs(a) < std::abs(b); });
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        err() << "usage: bench_report BENCH_WINDOW [RUNS]\n";
        return 2;
    }
    const QString probe = QString::fromLocal8Bit(argv[1]);
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 5;
    const QString part = argc > 3 ? QString::fromLocal8Bit(argv[3]) : QString();
    const auto measures = [&part](const char *name) {
        return part.isEmpty() || part == QLatin1StringView(name);
    };
    const auto progress = [](const QString &what) { err() << what << Qt::endl; };

    // Start-up. The first pair warms the file cache and writes the game's table; not counted.
    QTemporaryDir folder;
    Series startGame, startPlain, startCaption;
    const Figures shape = run(probe, {"startup", "game", folder.path()});
    const QString widgets = QString::number(shape.value("widgets"));
    const QString shown = QString::number(shape.value("shown_widgets"));
    run(probe, {"startup", "plain", widgets, shown});
    for (int i = 0; i < runs && measures("startup"); ++i) {
        progress(QStringLiteral("start-up %1/%2").arg(i + 1).arg(runs));
        startGame.runs.push_back(run(probe, {"startup", "game", folder.path()}));
        startPlain.runs.push_back(run(probe, {"startup", "plain", widgets, shown}));
        startCaption.runs.push_back(run(probe, {"startup", "plain", widgets, shown, "caption"}));
    }

    Series paceGame, paceCoarse, clickGame, clickPlain, memory;
    for (int i = 0; i < runs && measures("pace"); ++i) {
        progress(QStringLiteral("pace %1/%2").arg(i + 1).arg(runs));
        // A run whose script did not hold (the board filled up early) measured other phases.
        for (const char *mode : {"game", "coarse"}) {
            const Figures figures = run(probe, {"pace", mode});
            if (figures.value("complete") == 1)
                (mode == std::string("game") ? paceGame : paceCoarse).runs.push_back(figures);
            else
                err() << "bench_report: pace " << mode
                      << ": the script did not hold; run left out\n";
        }
    }
    for (int i = 0; i < runs && measures("clicks"); ++i) {
        progress(QStringLiteral("clicks %1/%2").arg(i + 1).arg(runs));
        clickGame.runs.push_back(run(probe, {"click", "game"}));
        clickPlain.runs.push_back(run(probe, {"click", "plain", widgets, shown}));
    }
    for (int i = 0; i < runs && measures("memory"); ++i) {
        progress(QStringLiteral("memory %1/%2").arg(i + 1).arg(runs));
        memory.runs.push_back(run(probe, {"session"}));
    }

    const auto atMost = [](double limit) {
        return [limit](double median, double) { return median <= limit; };
    };
    const auto within = [](double limit) {
        return [limit](double median, double) { return std::abs(median) <= limit; };
    };
    std::vector<Row> rows{
        {QStringLiteral("start-up to first frame, ms (baseline: bare window, %1 plain widgets)")
             .arg(widgets),
         "startup_ms", &startGame, &startPlain, QStringLiteral("≤ 1.3 × baseline"),
         [](double, double ratio) { return ratio <= 1.3; }},
        {QStringLiteral("CPU time to first frame, ms (less touched by the machine's load)"),
         "startup_cpu_ms",
         &startGame,
         &startPlain,
         QString(),
         {}},
        {QStringLiteral("start-up to first frame, ms (baseline: the same with one caption)"),
         "startup_ms",
         &startGame,
         &startCaption,
         QString(),
         {}},
        {QStringLiteral("CPU time to first frame, ms (baseline: the same with one caption)"),
         "startup_cpu_ms",
         &startGame,
         &startCaption,
         QString(),
         {}},
    };
    const std::vector<std::pair<QString, QString>> paces{{"1000", "≈1000 ms (level 5, 0 hits)"},
                                                         {"500", "≈500 ms (level 5, 55 hits)"},
                                                         {"50", "50 ms (level 5, 100+ hits)"},
                                                         {"few", "6 and 9 ms (level 3, 174 hits)"}};
    for (const auto &[key, label] : paces) {
        const bool fifty = key == u"50";
        const auto goal = [fifty](const char *text) {
            return fifty ? QString::fromUtf8(text) : QString();
        };
        std::function<bool(double, double)> none;
        rows.push_back({QStringLiteral("ticks at %1: lateness median, ms").arg(label),
                        "late_med_" + key, &paceGame, &paceCoarse, goal("≤ 1"),
                        fifty ? atMost(1) : none});
        rows.push_back({QStringLiteral("ticks at %1: lateness p99, ms").arg(label),
                        "late_p99_" + key, &paceGame, &paceCoarse, goal("≤ 3"),
                        fifty ? atMost(3) : none});
        rows.push_back({QStringLiteral("ticks at %1: lateness max, ms").arg(label),
                        "late_max_" + key, &paceGame, &paceCoarse, QString(), none});
        rows.push_back({QStringLiteral("ticks at %1: average period off nominal, %").arg(label),
                        "period_" + key, &paceGame, &paceCoarse, goal("within ±0.1"),
                        fifty ? within(0.1) : none, true});
        rows.push_back({QStringLiteral("ticks at %1: ticks dropped").arg(label), "dropped_" + key,
                        &paceGame, &paceCoarse, goal("0"), fifty ? atMost(0) : none});
        rows.push_back({QStringLiteral("ticks at %1: one tick's work p99, ms").arg(label),
                        "work_p99_" + key, &paceGame, &paceCoarse, goal("≤ 1"),
                        fifty ? atMost(1) : none});
        rows.push_back({QStringLiteral("ticks at %1: one tick's work p99, CPU ms").arg(label),
                        "work_cpu_p99_" + key, &paceGame, &paceCoarse, QString(), none});
    }
    rows.push_back({QStringLiteral("clock (Timer2): gain (+) or loss (−), ms per minute"),
                    "clock_gain", &paceGame, &paceCoarse, QStringLiteral("within ±20"), within(20),
                    true});
    rows.push_back({QStringLiteral("injected click to repaint: p50, ms"),
                    "click_p50",
                    &clickGame,
                    &clickPlain,
                    QString(),
                    {}});
    rows.push_back({QStringLiteral("injected click to repaint: p99, ms"), "click_p99", &clickGame,
                    &clickPlain, QStringLiteral("≤ 4"), atMost(4)});
    rows.push_back({QStringLiteral("injected click to repaint: max, ms"),
                    "click_max",
                    &clickGame,
                    &clickPlain,
                    QString(),
                    {}});
    rows.push_back(
        {QStringLiteral("wake-ups per second of the event loop's thread, between rounds"),
         "wake_idle", &paceGame, &paceCoarse, QStringLiteral("0"), atMost(0.25)});
    rows.push_back(
        {QStringLiteral("wake-ups per second of the event loop's thread, round at ≈1000 ms"),
         "wake_1000", &paceGame, &paceCoarse, QStringLiteral("≤ 5"), atMost(5)});
    rows.push_back(
        {QStringLiteral("wake-ups per second of the event loop's thread, round at 50 ms"),
         "wake_50",
         &paceGame,
         &paceCoarse,
         QString(),
         {}});
    rows.push_back({QStringLiteral("wake-ups per second of all threads, between rounds"),
                    "wake_all_idle",
                    &paceGame,
                    &paceCoarse,
                    QString(),
                    {}});
    rows.push_back({QStringLiteral("wake-ups per second of all threads, round at ≈1000 ms"),
                    "wake_all_1000",
                    &paceGame,
                    &paceCoarse,
                    QString(),
                    {}});
    rows.push_back({QStringLiteral("wake-ups per second of all threads, round at 50 ms"),
                    "wake_all_50",
                    &paceGame,
                    &paceCoarse,
                    QString(),
                    {}});
    rows.push_back({QStringLiteral("CPU between rounds, % of one core"),
                    "cpu_idle",
                    &paceGame,
                    &paceCoarse,
                    QString(),
                    {}});
    rows.push_back({QStringLiteral("CPU in a round at ≈1000 ms, % of one core"),
                    "cpu_1000",
                    &paceGame,
                    &paceCoarse,
                    QString(),
                    {}});
    rows.push_back({QStringLiteral("CPU in a round at 50 ms, % of one core"), "cpu_50", &paceGame,
                    &paceCoarse, QStringLiteral("≤ 3"), atMost(3)});
    rows.push_back({QStringLiteral("peak resident memory (VmHWM), MiB; baseline: bare window"),
                    "rss_peak_mib", &memory, &startPlain, QStringLiteral("≤ 40"), atMost(40)});
    rows.push_back(
        {QStringLiteral("\"Game Over\" answered to the results shown (history written), ms; "
                        "median of 10 rounds"),
         "game_over_to_results_ms",
         &memory,
         nullptr,
         QString(),
         {}});
    rows.push_back({QStringLiteral("resident memory growth, round 1 → 10, MiB"), "rss_growth_mib",
                    &memory, &startPlain, QStringLiteral("≤ 1"), atMost(1), true});

    QTextStream out(stdout);
    out << "| figure | game median | game worst | baseline median | baseline worst | ratio | goal "
           "| met |\n|---|---:|---:|---:|---:|---:|---|---|\n";
    for (const Row &row : rows) {
        const auto game = row.game->values(row.key);
        const auto base = row.baseline ? row.baseline->values(row.key) : std::vector<double>{};
        const double gameMedian = median(game);
        const double baseMedian = median(base);
        const double ratio =
            baseMedian != 0 && !std::isnan(baseMedian) ? gameMedian / baseMedian : NAN;
        QString met;
        if (row.met && !std::isnan(gameMedian))
            met = row.met(gameMedian, ratio) ? QStringLiteral("yes") : QStringLiteral("**no**");
        out << "| " << row.figure << " | " << number(gameMedian) << " | "
            << number(worst(game, row.signedValue)) << " | " << number(baseMedian) << " | "
            << number(worst(base, row.signedValue)) << " | "
            << (std::isnan(ratio) ? QStringLiteral("—") : QString::number(ratio, 'f', 2)) << " | "
            << (row.goal.isEmpty() ? QStringLiteral("—") : row.goal) << " | "
            << (met.isEmpty() ? QStringLiteral("—") : met) << " |\n";
    }
    out << "\n"
        << runs << " runs of each; baseline: the bare window for start-up, clicks and "
        << "memory; the game's window ticked by plain Qt::CoarseTimer QTimers for the pace.\n";
    return 0;
}
