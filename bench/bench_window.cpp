// One measurement of the game's real window per run, printed as key=value lines for
// bench_report. Runs under an X server (scripts/bench.sh starts one). The window is built the
// way main() builds it; the probes sit outside it: a QApplication that sees every event, a
// scheduler that wraps the game's own, and clicks sent through the X server.
//
//   bench_window startup game DIR      launch to first frame of the game's window
//   bench_window startup plain N V [caption]   the same for a bare window with N plain widgets,
//                                      V shown (and one line of text)
//   bench_window pace game|coarse      a scripted session: tick lateness, wake-ups, CPU
//   bench_window click game|plain N V  injected click to the repaint without the target
//   bench_window session               ten rounds: peak and growth of resident memory

#include "benchsupport.h"
#include "clickinjector.h"

#include "app/game.h"
#include "platform/dialogs.h"
#include "platform/diskfiles.h"
#include "platform/gametimer.h"
#include "platform/qtscheduler.h"
#include "window/form1.h"
#include "window/targetpicture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <memory>

namespace {

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

void print(const char *key, double value)
{
    out() << key << '=' << QString::number(value, 'f', 4) << '\n';
}

// Sees every event the program delivers: what comes before it, and the moment the outermost
// delivery (a whole expose, update request or input event, painting and flushing included)
// has returned.
class BenchApplication : public QApplication
{
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (beforeEvent)
            beforeEvent(receiver, event);
        ++m_depth;
        const bool handled = QApplication::notify(receiver, event);
        --m_depth;
        if (m_depth == 0 && afterOutermost)
            afterOutermost();
        return handled;
    }

    std::function<void(QObject *, QEvent *)> beforeEvent;
    std::function<void()> afterOutermost;

private:
    int m_depth = 0;
};

BenchApplication &application()
{
    return *static_cast<BenchApplication *>(QCoreApplication::instance());
}

// Answers at once, so a scripted session never waits for a player: the nickname "Bench", and
// "ОК" to every box (the game-over box above all).
class BenchDialogs : public Dialogs
{
public:
    int messageBox(const QString &, const QString &, Buttons, NameText::Span) override
    {
        ++boxes;
        if (onBox)
            onBox();
        answered.start();
        return OkResult;
    }
    QString inputBox(const QString &, const QString &) override { return QStringLiteral("Bench"); }

    int boxes = 0;
    std::function<void()> onBox;
    QElapsedTimer answered; // since the last box was answered
};

// Runs the event loop for `ms` milliseconds: one wake-up of its own, at the end.
void sleepMs(int ms)
{
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    loop.exec();
}

// Runs the event loop until the game opens its game-over box, or `ms` milliseconds at most.
bool waitForGameOver(BenchDialogs &dialogs, int ms)
{
    const int before = dialogs.boxes;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(ms);
    dialogs.onBox = [&loop] { loop.quit(); };
    loop.exec();
    dialogs.onBox = nullptr;
    return dialogs.boxes > before;
}

// Hits that need no target on screen: the click signal of a target, which the game counts as a
// hit while a round runs. Used to bring the hit count, and so the pace, where a phase wants it.
void addHits(Form1 &form, int hits)
{
    for (int i = 0; i < hits; ++i)
        emit form.Image[std::size_t(i % Form1::Targets)]->clicked();
}

// ---- Start-up ---------------------------------------------------------------------------------

// Prints the time from the launcher's timestamp to the end of the first frame of `window`.
void reportFirstFrame(QWidget &window)
{
    const qint64 launched = qEnvironmentVariableIsSet("BENCH_LAUNCH_NS")
                                ? qgetenv("BENCH_LAUNCH_NS").toLongLong()
                                : Bench::monotonicNs();
    auto painted = std::make_shared<bool>(false);
    auto done = std::make_shared<bool>(false);
    application().beforeEvent = [&window, painted](QObject *receiver, QEvent *event) {
        if (event->type() == QEvent::Paint && receiver == &window)
            *painted = true;
    };
    application().afterOutermost = [painted, done, launched] {
        if (!*painted || *done)
            return;
        *done = true;
        print("startup_ms", double(Bench::monotonicNs() - launched) / 1e6);
        print("startup_cpu_ms", double(Bench::cpuNs()) / 1e6);
    };
}

int startupGame(const QString &folder)
{
    DiskFiles files(folder);
    Game game(files);
    Form1 &form = game.form();
    form.formLoad();
    reportFirstFrame(form);
    const auto widgets = form.findChildren<QWidget *>();
    const auto shown = std::count_if(widgets.begin(), widgets.end(),
                                     [&form](QWidget *w) { return w->isVisibleTo(&form); });
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    sleepMs(50);
    print("widgets", double(widgets.size()));
    print("shown_widgets", double(shown));
    print("rss_first_frame_mib", double(Bench::selfKib("VmHWM")) / 1024);
    form.close();
    return 0;
}

// The baseline window: the game's size, the game's number of child widgets (`shown` of them
// visible), each a plain QWidget that paints nothing of its own.
void addPlainChildren(QWidget &window, int count, int shown)
{
    for (int i = 0; i < count; ++i) {
        auto *child = new QWidget(&window);
        child->setGeometry(4 + (i % 20) * 23, 4 + (i / 20) * 23, 20, 20);
        child->setVisible(i < shown);
    }
}

int startupPlain(int count, int shown, bool caption)
{
    QWidget window;
    window.setFixedSize(476, 477);
    addPlainChildren(window, count, shown);
    if (caption) {
        // One line of text in the game's font: what any window with a caption pays for fonts.
        auto *label = new QLabel(QStringLiteral("Количество  кликов"), &window);
        QFont font;
        font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans Condensed"),
                          QStringLiteral("DejaVu Sans")});
        font.setPixelSize(11);
        label->setFont(font);
        label->move(8, 8);
    }
    reportFirstFrame(window);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    sleepMs(50);
    // Ten show-and-hide cycles of every child, the bare window's counterpart of ten rounds.
    const auto children = window.findChildren<QWidget *>();
    qint64 first = 0;
    for (int cycle = 1; cycle <= 10; ++cycle) {
        for (QWidget *child : children)
            child->setVisible(!child->isVisible());
        sleepMs(20);
        for (QWidget *child : children)
            child->setVisible(!child->isVisible());
        sleepMs(20);
        if (cycle == 1)
            first = Bench::selfKib("VmRSS");
    }
    print("rss_peak_mib", double(Bench::selfKib("VmHWM")) / 1024);
    print("rss_growth_mib", double(Bench::selfKib("VmRSS") - first) / 1024);
    return 0;
}

// ---- Pace -------------------------------------------------------------------------------------

// One tick: which timer (2, 3 or 4), when it was due on its ideal schedule, the interval it was
// due under, when it came and how long its handler ran. Times in ns on the log's clock.
struct Tick {
    int timer = 0;
    double dueNs = 0;
    int nominalMs = 0;
    qint64 actualNs = 0;
    qint64 workNs = 0;
    qint64 workCpuNs = 0;   // the handler's CPU time: its wall time less any preemption
    int epoch = 0;          // a fresh countdown (the timer enabled anew) starts a new epoch
    bool endsRound = false; // the tick found the board full: its work is the game over's
};

struct TickLog {
    TickLog() { clock.start(); }
    qint64 now() const { return clock.nsecsElapsed(); }
    QElapsedTimer clock;
    std::vector<Tick> ticks;
    int epochs = 0;
};

// The game's own scheduler (timerfd alarms at their due times), each alarm wrapped to note when it
// was due, when it fired and how long the tick it drives took.
class RecordingScheduler : public Scheduler
{
public:
    explicit RecordingScheduler(TickLog &log)
        : m_log(log)
    {
        // Started together, so the log's clock reads the scheduler's clock in nanoseconds.
        m_log.clock.start();
        m_inner = std::make_unique<QtScheduler>();
    }

    qint64 nowMs() const override { return m_inner->nowMs(); }
    std::unique_ptr<Alarm> alarm(std::function<void()> action) override;

    // The window's timers in the order it creates them (Timer1 first), set once it exists.
    std::array<const GameTimer *, 4> timers{};

private:
    friend class RecordingAlarm;
    TickLog &m_log;
    std::unique_ptr<QtScheduler> m_inner;
    int m_created = 0;
};

class RecordingAlarm : public Alarm
{
public:
    RecordingAlarm(RecordingScheduler &scheduler, int index)
        : m_scheduler(scheduler)
        , m_index(index)
    {
    }

    void arm(qint64 dueMs) override
    {
        if (!m_firing)
            m_epoch = ++m_scheduler.m_log.epochs;
        m_dueNs = double(dueMs) * 1e6;
        m_nominalMs = m_scheduler.timers[std::size_t(m_index)]->interval();
        m_inner->arm(dueMs);
    }
    void cancel() override { m_inner->cancel(); }
    bool isArmed() const override { return m_inner->isArmed(); }

    void fire(const std::function<void()> &action)
    {
        TickLog &log = m_scheduler.m_log;
        Tick tick{m_index + 1, m_dueNs, m_nominalMs, log.now(), 0, 0, m_epoch};
        const qint64 cpu = Bench::threadCpuNs();
        m_firing = true;
        action();
        m_firing = false;
        tick.workNs = log.now() - tick.actualNs;
        tick.workCpuNs = Bench::threadCpuNs() - cpu;
        tick.endsRound = !m_scheduler.timers[2]->isEnabled();
        log.ticks.push_back(tick);
    }

    std::unique_ptr<Alarm> m_inner;

private:
    RecordingScheduler &m_scheduler;
    int m_index;
    double m_dueNs = 0;
    int m_nominalMs = 0;
    int m_epoch = 0;
    bool m_firing = false;
};

std::unique_ptr<Alarm> RecordingScheduler::alarm(std::function<void()> action)
{
    auto alarm = std::make_unique<RecordingAlarm>(*this, m_created++);
    RecordingAlarm *raw = alarm.get();
    alarm->m_inner = m_inner->alarm([raw, action = std::move(action)] { raw->fire(action); });
    return alarm;
}

// Alarms that never fire: in the baseline the window's ticks come from plain QTimers instead.
class StillScheduler : public Scheduler
{
public:
    StillScheduler() { m_clock.start(); }
    qint64 nowMs() const override { return m_clock.elapsed(); }
    std::unique_ptr<Alarm> alarm(std::function<void()>) override
    {
        return std::make_unique<StillAlarm>();
    }

private:
    class StillAlarm : public Alarm
    {
    public:
        void arm(qint64) override { m_armed = true; }
        void cancel() override { m_armed = false; }
        bool isArmed() const override { return m_armed; }

    private:
        bool m_armed = false;
    };
    QElapsedTimer m_clock;
};

// The baseline: the window's Timer2, Timer3 and Timer4 ticked by plain repeating QTimers of
// Qt's default type (Qt::CoarseTimer), the way a direct port would use them: started and
// stopped with the game's timers, given a new interval (which restarts a QTimer) when the game
// sets one. The ideal schedule is the game's: each tick one interval after the previous was due.
class PlainTimers
{
public:
    PlainTimers(Form1 &form, TickLog &log)
        : m_log(log)
    {
        const std::array<GameTimer *, 3> game{form.Timer2, form.Timer3, form.Timer4};
        for (std::size_t i = 0; i < m_mirrors.size(); ++i) {
            Mirror &mirror = m_mirrors[i];
            mirror.game = game[i];
            mirror.number = int(i) + 2;
            mirror.timer.setTimerType(Qt::CoarseTimer);
            QObject::connect(&mirror.timer, &QTimer::timeout, [this, i] { fire(i); });
        }
    }

    // After the game switched its timers on.
    void start()
    {
        for (Mirror &mirror : m_mirrors) {
            const int interval = mirror.game->interval();
            if (!mirror.game->isEnabled() || interval == 0)
                continue;
            mirror.timer.start(interval);
            mirror.nominalMs = interval;
            mirror.dueNs = double(m_log.now()) + interval * 1e6;
            mirror.epoch = ++m_log.epochs;
        }
    }

private:
    struct Mirror {
        GameTimer *game = nullptr;
        int number = 0;
        QTimer timer;
        double dueNs = 0;
        int nominalMs = 0;
        int epoch = 0;
    };

    void fire(std::size_t i)
    {
        Mirror &mirror = m_mirrors[i];
        Tick tick{mirror.number, mirror.dueNs, mirror.nominalMs, m_log.now(), 0, 0, mirror.epoch};
        const qint64 cpu = Bench::threadCpuNs();
        emit mirror.game->tick();
        tick.workNs = m_log.now() - tick.actualNs;
        tick.workCpuNs = Bench::threadCpuNs() - cpu;
        tick.endsRound = !m_mirrors[1].game->isEnabled();
        m_log.ticks.push_back(tick);
        // After a stall longer than an interval the schedule starts afresh, as a repeating
        // QTimer (and the game's timer) does; the ticks missed are counted as dropped.
        if (double(tick.actualNs) - tick.dueNs >= mirror.nominalMs * 1e6)
            mirror.dueNs = double(tick.actualNs);
        mirror.nominalMs = mirror.game->interval();
        mirror.dueNs += mirror.nominalMs * 1e6;
        for (Mirror &each : m_mirrors) {
            const int interval = each.game->interval();
            if (!each.game->isEnabled() || interval == 0)
                each.timer.stop();
            else if (each.timer.isActive() && each.timer.interval() != interval)
                each.timer.setInterval(interval);
        }
    }

    TickLog &m_log;
    std::array<Mirror, 3> m_mirrors;
};

// The scripted player of the pace session: hits targets as they come, never through a timer of
// its own, so it adds no wake-ups. In `hold` mode (once both intervals are 50 ms) every shown
// target but the newest is hit; otherwise only a nearly full board is thinned, by one target.
class Player : public QObject
{
public:
    explicit Player(Form1 &form)
        : m_form(form)
    {
        for (TargetPicture *target : form.Image)
            target->installEventFilter(this);
    }

    bool hold = false;
    bool rescue = true;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show) {
            const auto newest =
                std::size_t(std::find(m_form.Image.begin(), m_form.Image.end(), watched)
                            - m_form.Image.begin());
            std::erase(m_order, newest);
            m_order.push_back(newest);
            QMetaObject::invokeMethod(
                this, [this, newest] { act(newest); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void act(std::size_t newest)
    {
        if (!m_form.Timer3->isEnabled())
            return;
        std::vector<std::size_t> shown;
        for (const std::size_t i : m_order) {
            if (m_form.Image[i]->isVisible())
                shown.push_back(i);
        }
        const bool atFifty = m_form.Timer3->interval() == 50 && m_form.Timer4->interval() == 50;
        if (hold && atFifty) {
            for (const std::size_t i : shown) {
                if (i != newest)
                    emit m_form.Image[i]->clicked();
            }
        } else if (rescue && shown.size() >= 8) {
            emit m_form.Image[shown.front()]->clicked();
        }
    }

    Form1 &m_form;
    std::vector<std::size_t> m_order; // targets in the order they were last shown
};

// Wake-ups and CPU time between two moments.
struct Sample {
    static Sample take()
    {
        return {Bench::monotonicNs(), Bench::cpuNs(), Bench::voluntarySwitches(),
                Bench::selfKib("voluntary_ctxt_switches")};
    }
    qint64 wallNs;
    qint64 cpuNs;
    qint64 switches;     // every thread
    qint64 loopSwitches; // the main thread, which runs the event loop and every timer
};

void printActivity(const QString &phase, const Sample &from, const Sample &to)
{
    const double seconds = double(to.wallNs - from.wallNs) / 1e9;
    const auto key = [&phase](const char *what) { return (what + phase).toLatin1(); };
    // The wake-up that ends the window is the benchmark's own.
    print(key("wake_").constData(), double(to.loopSwitches - from.loopSwitches - 1) / seconds);
    print(key("wake_all_").constData(), double(to.switches - from.switches - 1) / seconds);
    print(key("cpu_").constData(),
          double(to.cpuNs - from.cpuNs) / double(to.wallNs - from.wallNs) * 100);
}

const char *paceClass(int nominalMs)
{
    if (nominalMs >= 900 && nominalMs <= 1100)
        return "1000";
    if (nominalMs >= 400 && nominalMs <= 600)
        return "500";
    if (nominalMs >= 40 && nominalMs <= 60)
        return "50";
    if (nominalMs >= 1 && nominalMs <= 20)
        return "few";
    return nullptr;
}

void printPace(const TickLog &log)
{
    struct Stats {
        std::vector<double> lateMs, workMs, workCpuMs;
        double periodNs = 0, nominalNs = 0;
        double dropped = 0;
    };
    std::map<std::string, Stats> classes;
    for (const char *name : {"1000", "500", "50", "few"})
        classes[name];
    std::array<const Tick *, 5> previous{};
    const bool dump = qEnvironmentVariableIsSet("BENCH_DUMP");
    for (const Tick &tick : log.ticks) {
        if (dump)
            qInfo("tick T%d nominal %d late %.3f work %.3f cpu %.3f at %.1f%s", tick.timer,
                  tick.nominalMs, (double(tick.actualNs) - tick.dueNs) / 1e6,
                  double(tick.workNs) / 1e6, double(tick.workCpuNs) / 1e6,
                  double(tick.actualNs) / 1e6, tick.endsRound ? " end" : "");
        const Tick *before = std::exchange(previous[std::size_t(tick.timer)], &tick);
        const char *name = paceClass(tick.nominalMs);
        if (!name)
            continue;
        Stats &stats = classes[name];
        const double late = (double(tick.actualNs) - tick.dueNs) / 1e6;
        // A coarse timer may also come early: that is as far off its schedule.
        stats.lateMs.push_back(std::abs(late));
        if (!tick.endsRound) {
            stats.workMs.push_back(double(tick.workNs) / 1e6);
            stats.workCpuMs.push_back(double(tick.workCpuNs) / 1e6);
        }
        if (late >= tick.nominalMs)
            stats.dropped += std::floor(late / tick.nominalMs);
        const bool steady = before && before->epoch == tick.epoch
                            && paceClass(before->nominalMs) == name
                            && std::abs(tick.dueNs - before->dueNs - tick.nominalMs * 1e6) < 1e3;
        if (steady) {
            stats.periodNs += double(tick.actualNs - before->actualNs);
            stats.nominalNs += tick.nominalMs * 1e6;
        }
    }
    for (const auto &[name, stats] : classes) {
        const auto key = [&name](const char *what) { return what + ("_" + name); };
        print(key("ticks").c_str(), double(stats.lateMs.size()));
        print(key("late_med").c_str(), Bench::quantile(stats.lateMs, 0.5));
        print(key("late_p99").c_str(), Bench::quantile(stats.lateMs, 0.99));
        print(key("late_max").c_str(), Bench::quantile(stats.lateMs, 1));
        print(key("work_p99").c_str(), Bench::quantile(stats.workMs, 0.99));
        print(key("work_max").c_str(), Bench::quantile(stats.workMs, 1));
        print(key("work_cpu_p99").c_str(), Bench::quantile(stats.workCpuMs, 0.99));
        print(key("dropped").c_str(), stats.dropped);
        if (stats.nominalNs > 0)
            print(key("period").c_str(), (stats.periodNs / stats.nominalNs - 1) * 100);
    }

    // The clock: the slope of Timer2's tick times over its count in the first round, against
    // one second per tick. Positive: the clock runs fast.
    std::vector<double> times;
    int firstEpoch = 0;
    for (const Tick &tick : log.ticks) {
        if (tick.timer != 2)
            continue;
        if (firstEpoch == 0)
            firstEpoch = tick.epoch;
        if (tick.epoch == firstEpoch)
            times.push_back(double(tick.actualNs) / 1e6);
    }
    const double n = double(times.size());
    if (n >= 3) {
        double meanK = (n - 1) / 2, meanT = 0;
        for (const double t : times)
            meanT += t / n;
        double cov = 0, var = 0;
        for (std::size_t k = 0; k < times.size(); ++k) {
            cov += (double(k) - meanK) * (times[k] - meanT);
            var += (double(k) - meanK) * (double(k) - meanK);
        }
        const double periodMs = cov / var;
        print("clock_gain", (1000 - periodMs) / periodMs * 60000);
    }
}

int pace(bool coarse)
{
    TickLog log;
    std::unique_ptr<Scheduler> scheduler;
    RecordingScheduler *recording = nullptr;
    if (coarse) {
        scheduler = std::make_unique<StillScheduler>();
    } else {
        auto owned = std::make_unique<RecordingScheduler>(log);
        recording = owned.get();
        scheduler = std::move(owned);
    }
    QTemporaryDir folder;
    BenchDialogs dialogs;
    DiskFiles files(folder.path());
    Game game(files, &dialogs, scheduler.get());
    Form1 &form = game.form();
    if (recording)
        recording->timers = {form.Timer1, form.Timer2, form.Timer3, form.Timer4};
    std::unique_ptr<PlainTimers> plain;
    if (coarse)
        plain = std::make_unique<PlainTimers>(form, log);
    const auto startRound = [&] {
        form.Command2->click();
        if (plain)
            plain->start();
    };
    form.formLoad();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    sleepMs(200);
    Player player(form);
    form.Command1->click(); // the nickname

    // Round one, level 5: about 1000 ms, then about 500 ms (55 hits: 500 and 478 ms), then
    // 50 ms held for good (100 hits; beyond that the pace no longer changes).
    form.HScroll1->setValue(5);
    startRound();
    sleepMs(500);
    Sample from = Sample::take();
    sleepMs(3500);
    printActivity(QStringLiteral("1000"), from, Sample::take());
    addHits(form, 55);
    sleepMs(2500);
    addHits(form, 45);
    player.hold = true;
    sleepMs(500);
    from = Sample::take();
    sleepMs(3000);
    printActivity(QStringLiteral("50"), from, Sample::take());
    player.hold = false;
    player.rescue = false;
    // The script held: the first round ended only now that the player stopped hitting.
    const bool held = dialogs.boxes == 0;
    waitForGameOver(dialogs, 10000);

    sleepMs(300);
    from = Sample::take();
    sleepMs(2000);
    printActivity(QStringLiteral("idle"), from, Sample::take());

    // Rounds two to four, level 3 at 174 hits: 6 and 9 ms, until the board is full.
    form.HScroll1->setValue(3);
    for (int round = 0; round < 3; ++round) {
        startRound();
        addHits(form, 174);
        waitForGameOver(dialogs, 5000);
        sleepMs(100);
    }
    print("complete", held && dialogs.boxes == 4 ? 1 : 0);
    printPace(log);
    print("rss_peak_mib", double(Bench::selfKib("VmHWM")) / 1024);
    form.close();
    return 0;
}

// ---- Clicks -----------------------------------------------------------------------------------

// Clicks the oldest target on screen through the X server and times the frame that shows it
// gone: from just before the press to the end of the first repaint of the window after a target
// hid.
class ClickProbe
{
public:
    ClickProbe(QWidget &window, std::vector<QWidget *> targets, int wanted)
        : m_window(window)
        , m_targets(std::move(targets))
        , m_wanted(wanted)
    {
        m_watchdog.setSingleShot(true);
        QObject::connect(&m_watchdog, &QTimer::timeout, [this] {
            ++m_missed;
            m_pending = false;
            next();
        });
        application().beforeEvent = [this](QObject *receiver, QEvent *event) {
            see(receiver, event);
        };
        application().afterOutermost = [this] { frameDone(); };
    }

    ~ClickProbe()
    {
        // The window outlives the probe: its last events must not reach it.
        application().beforeEvent = nullptr;
        application().afterOutermost = nullptr;
    }
    ClickProbe(const ClickProbe &) = delete;
    ClickProbe &operator=(const ClickProbe &) = delete;

    bool ready() const { return m_injector.isOpen(); }
    bool finished() const { return int(m_latencies.size()) >= m_wanted; }

    void next()
    {
        QTimer::singleShot(0, [this] { tryClick(); });
    }

    void report() const
    {
        print("click_p50", Bench::quantile(m_latencies, 0.5));
        print("click_p99", Bench::quantile(m_latencies, 0.99));
        print("click_max", Bench::quantile(m_latencies, 1));
        print("clicks", double(m_latencies.size()));
        print("clicks_missed", m_missed);
    }

private:
    void see(QObject *receiver, QEvent *event)
    {
        const auto target = std::find(m_targets.begin(), m_targets.end(), receiver);
        if (event->type() == QEvent::Show && target != m_targets.end()) {
            // A player clicks a target once it is drawn, so it joins the queue at its paint.
            std::erase(m_order, *target);
        } else if (event->type() == QEvent::Paint && target != m_targets.end()) {
            if (std::find(m_order.begin(), m_order.end(), *target) == m_order.end()) {
                m_order.push_back(*target);
                if (!m_pending)
                    next();
            }
        } else if (event->type() == QEvent::Hide && target != m_targets.end() && m_pending) {
            m_hidden = true;
        } else if (event->type() == QEvent::Paint && receiver == &m_window && m_hidden) {
            m_painted = true;
        }
    }

    void frameDone()
    {
        if (!m_pending || !m_painted)
            return;
        m_latencies.push_back(double(Bench::monotonicNs() - m_pressed) / 1e6);
        m_pending = false;
        m_watchdog.stop();
        next();
    }

    void tryClick()
    {
        if (m_pending || finished())
            return;
        const auto target = std::find_if(m_order.begin(), m_order.end(), [](QWidget *t) {
            return t->isVisible() && t->isEnabled();
        });
        if (target == m_order.end())
            return;
        m_injector.moveTo((*target)->mapToGlobal((*target)->rect().center()));
        m_pending = true;
        m_hidden = false;
        m_painted = false;
        m_pressed = Bench::monotonicNs();
        m_injector.click();
        m_watchdog.start(300);
    }

    QWidget &m_window;
    std::vector<QWidget *> m_targets;
    std::vector<QWidget *> m_order; // in the order they were last shown
    int m_wanted;
    ClickInjector m_injector;
    QTimer m_watchdog;
    std::vector<double> m_latencies;
    int m_missed = 0;
    bool m_pending = false;
    bool m_hidden = false;
    bool m_painted = false;
    qint64 m_pressed = 0;
};

constexpr int ClicksPerRun = 150;

// The game during play: level 5 held at 50 ms, so targets keep coming; a full board starts a
// new round.
int clickGame()
{
    QTemporaryDir folder;
    BenchDialogs dialogs;
    DiskFiles files(folder.path());
    Game game(files, &dialogs);
    Form1 &form = game.form();
    form.formLoad();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    sleepMs(200);
    form.Command1->click();
    form.HScroll1->setValue(5);
    ClickProbe probe(form, {form.Image.begin(), form.Image.end()}, ClicksPerRun);
    if (!probe.ready())
        return 1;
    QElapsedTimer elapsed;
    elapsed.start();
    while (!probe.finished() && elapsed.elapsed() < 30000) {
        form.Command2->click();
        addHits(form, 100);
        waitForGameOver(dialogs, 30000 - int(elapsed.elapsed()));
    }
    probe.report();
    form.close();
    return 0;
}

// The baseline: the bare window whose ten plain targets hide when clicked and come back 50 ms
// later.
class PlainTarget : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent *) override { QPainter(this).fillRect(rect(), Qt::darkRed); }
    void mousePressEvent(QMouseEvent *event) override { event->accept(); }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        event->accept();
        hide();
        QTimer::singleShot(50, this, &QWidget::show);
    }
};

int clickPlain(int count, int shown)
{
    QWidget window;
    window.setFixedSize(476, 477);
    addPlainChildren(window, count - Form1::Targets, shown);
    std::vector<QWidget *> targets;
    for (int i = 0; i < Form1::Targets; ++i) {
        auto *target = new PlainTarget(&window);
        target->setGeometry(40 + (i % 5) * 85, 180 + (i / 5) * 120, 45, 45);
        target->hide();
        targets.push_back(target);
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    sleepMs(200);
    ClickProbe probe(window, targets, ClicksPerRun);
    if (!probe.ready())
        return 1;
    for (QWidget *target : targets)
        target->show();
    QElapsedTimer elapsed;
    elapsed.start();
    while (!probe.finished() && elapsed.elapsed() < 30000)
        sleepMs(100);
    probe.report();
    return 0;
}

// ---- Memory -----------------------------------------------------------------------------------

// Ten rounds at level 5, each brought to 50 ms at once so the board fills within a second.
int session()
{
    QTemporaryDir folder;
    BenchDialogs dialogs;
    DiskFiles files(folder.path());
    Game game(files, &dialogs);
    Form1 &form = game.form();
    form.formLoad();
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    form.Command1->click();
    form.HScroll1->setValue(5);
    qint64 afterFirst = 0;
    // From "Game Over" answered to the end of the window's first repaint after it, which shows
    // the results (the round's history is written in between, queued after the last tick).
    bool painted = false;
    std::vector<double> toResults;
    application().beforeEvent = [&](QObject *receiver, QEvent *event) {
        const auto *widget = qobject_cast<QWidget *>(receiver);
        painted =
            painted || (event->type() == QEvent::Paint && widget && widget->window() == &form);
    };
    application().afterOutermost = [&] {
        if (painted && form.roundState() == Form1::RoundState::Over && dialogs.answered.isValid()) {
            toResults.push_back(double(dialogs.answered.nsecsElapsed()) / 1e6);
            dialogs.answered.invalidate();
        }
        painted = false;
    };
    for (int round = 1; round <= 10; ++round) {
        form.Command2->click();
        addHits(form, 100);
        if (!waitForGameOver(dialogs, 10000))
            return 1;
        sleepMs(50);
        if (round == 1)
            afterFirst = Bench::selfKib("VmRSS");
    }
    application().beforeEvent = nullptr;
    application().afterOutermost = nullptr;
    std::sort(toResults.begin(), toResults.end());
    if (toResults.size() != 10)
        return 1;
    print("game_over_to_results_ms", toResults[toResults.size() / 2]);
    print("rss_peak_mib", double(Bench::selfKib("VmHWM")) / 1024);
    print("rss_growth_mib", double(Bench::selfKib("VmRSS") - afterFirst) / 1024);
    form.close();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication::setApplicationName(QStringLiteral("popadaika"));
    BenchApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const auto arg = [&args](int i) { return i < args.size() ? args[i] : QString(); };
    int status = 2;
    if (arg(0) == u"startup" && arg(1) == u"game")
        status = startupGame(arg(2));
    else if (arg(0) == u"startup" && arg(1) == u"plain")
        status = startupPlain(arg(2).toInt(), arg(3).toInt(), arg(4) == u"caption");
    else if (arg(0) == u"pace")
        status = pace(arg(1) == u"coarse");
    else if (arg(0) == u"click" && arg(1) == u"game")
        status = clickGame();
    else if (arg(0) == u"click" && arg(1) == u"plain")
        status = clickPlain(arg(2).toInt(), arg(3).toInt());
    else if (arg(0) == u"session")
        status = session();
    else
        out() << "usage: bench_window startup game DIR | startup plain N V [caption] | pace "
                 "game|coarse"
                 " | click game | click plain N V | session\n";
    out().flush();
    return status;
}
