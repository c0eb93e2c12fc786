#pragma once

#include "core/roundrecord.h"
#include "core/toptable.h"
#include "window/clickrecognizer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>

class QGroupBox;
class QLabel;
class NameLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QFrame;

class Clock;
class Dialogs;
class Files;
class GameTimer;
class History;
class NumberFormat;
class RandomGenerator;
class Scheduler;
class TargetPicture;

// The game's one window. It owns every control and the game's state. Its handlers and procedures
// live in a few files by role: form1.cpp builds the window and takes its events, round.cpp plays
// the round, helppanel.cpp runs help mode and its panel, scorefile.cpp loads and saves the table.
// Controls and form-level variables keep the game's own names.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // The platform services the game talks to; they must outlive the window.
    struct Services {
        Dialogs &dialogs;
        Files &files;
        Clock &clock;
        RandomGenerator &random;
        const NumberFormat &numbers;
        Scheduler &scheduler; // the timers' time, and the monotonic clock of reaction times
        History *history;     // where finished rounds are recorded; none: they are not
    };

    static constexpr int Rows = TopTable::Rows; // rows of the table of best results, 0..10
    static constexpr int Targets = 10;          // Image1..Image10 are Image[0..9]

    // The round's state, which the caption of Command2 holds: "Начать", "Пауза", "Продолжить",
    // "Заново".
    enum class RoundState { NotStarted, Running, Paused, Over };
    RoundState roundState() const;
    // Whether hits and misses count: Timer3 is enabled. Not the same as a running round: help
    // mode and an open "Game Over" stop the counting while the caption stays.
    bool clicksCount() const;

    explicit Form1(const Services &services, QWidget *parent = nullptr);
    ~Form1() override;

    // ---- Controls -------------------------------------------------------------------------
    NameLabel *Label1 = nullptr; // accuracy line after a round
    QLabel *Label2 = nullptr;    // game clock
    QLabel *Label3 = nullptr;    // clicks-per-minute line after a round
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label7 = nullptr;  // text area of the help panel
    QLabel *Label19 = nullptr; // level name, sized to its caption
    QFrame *Line1 = nullptr;
    QLineEdit *Text1 = nullptr; // hit count
    QLineEdit *Text2 = nullptr; // click count (hits and misses)
    QLineEdit *Ent = nullptr;   // hidden; its text is the line break " \r\n"
    QScrollBar *HScroll1 = nullptr;
    QLabel *PClick = nullptr;                     // name banner
    std::array<TargetPicture *, Targets> Image{}; // Image[0] is Image1, ..., Image[9] is Image10
    QGroupBox *Frame1 = nullptr;
    QGroupBox *Frame2 = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command5 = nullptr;
    QPushButton *Command6 = nullptr;
    QPushButton *Command7 = nullptr;
    std::array<QLabel *, Rows> Mesto{};
    std::array<NameLabel *, Rows> NameP{};
    std::array<QLabel *, Rows> ScoresP{};
    GameTimer *Timer1 = nullptr; // no tick action
    GameTimer *Timer2 = nullptr; // game clock
    GameTimer *Timer3 = nullptr; // appearance; its Enabled flag: clicks count (clicksCount())
    GameTimer *Timer4 = nullptr; // appearance

    // ---- Form-level variables -------------------------------------------------------------
    QString Nick;
    qint16 Seconds = 0;
    qint32 FinalScore = 0;
    std::array<QString, Rows> TopNames{};
    std::array<qint32, Rows> TopScores{};
    qint16 Place = 0;

    // ---- Events ---------------------------------------------------------------------------
    // Each runs to completion on the window's thread; only a dialog it opens lets other events
    // (timer ticks above all) run meanwhile.

    // The load handler: runs once, before the window is first shown. Loads the table of best
    // results from "Scores.dat" (writing the default table first when there is none), puts the
    // rules into the help panel and centres the level scale. A close from outside during one of
    // its notices ends it there: the window must then not be shown.
    void formLoad();
    // Ends the run from outside (a signal, the end of the desktop session): the same close as
    // the window manager's, but no box is shown, open dialogs are dismissed and their handlers
    // stop ("Game Over" counts as answered, so its result is entered first), and a failed save
    // goes to standard error. Before the table is loaded nothing is saved.
    void closeQuietly();
    // The closing handler has run (or the load was cut short by a close).
    bool isClosed() const { return m_closed; }

    // Outer width of the window used for centring, in twips (client width plus the border the
    // layout was made with), the same on every platform.
    static constexpr int OuterWidthTwips = 7230;

signals:
    // F2 was pressed before the first round or after one ended (never while a round runs, is
    // paused or help is on): the player asks for the statistics window.
    void statisticsRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    // F2, which no control takes for itself, comes up from whichever has the focus.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The handlers, wired to their controls and timers when the window is built.
    // The closing handler: runs once, whichever way the window closes. Switches the timers
    // off, so nothing of a running round happens any more (a running round is not entered, one
    // that "Game Over" has announced is), and writes the table into "Scores.dat", merged with
    // what another run saved meanwhile. Asks nothing and never cancels the close.
    void formClosing();
    // A click on the bare window surface: one more click while a round runs (a miss).
    void surfaceClick();
    // Command1: asks for the nickname until a non-empty one is given; usable at any time.
    void command1Click();
    // Command2: starts, pauses, resumes or restarts the round, as its caption says; without a
    // nickname only tells the player so.
    void command2Click();
    // Command3: asks "Вы уверены?" and closes the window on OK.
    void command3Click();
    // Command4: switches help on (shows the panel and freezes the game) or off (hides it and
    // lets a running round go on).
    void command4Click();
    // Command5, Command6, Command7: show the rules, the table or the credits on the help panel.
    void command5Click();
    void command6Click();
    void command7Click();
    // A click on the shown, enabled target Image[index], 0 <= index < Targets: counts a hit
    // while a round runs, hides the target and gives it a new place and size near its anchor.
    void targetClick(int index);
    // HScroll1's value changed, or its thumb is being dragged: shows the level's name, centred.
    void hScroll1Change();
    // A tick of Timer2: one more second of the round on the clock.
    void timer2Tick();
    // A tick of Timer3 or Timer4: shows one random target; ends the round when all ten are shown.
    void appearanceTick();

    // F2: asks for the statistics window, but only while no round is under way and help is off.
    void statisticsKey();

    // The game's own procedures.
    // Counts a hit and a click, but only while a round runs (Timer3 enabled). Called by a hit.
    void Score();
    // Ends the round: stops the timers, reports the score, accuracy and clicks per minute, and
    // enters a qualifying result into the table (also when the window closes while its box is
    // open). Called by an appearance tick that finds all ten targets shown.
    void EndGame();
    // Sets both appearance intervals from the hit count and the level, until the hit count
    // passes the level's speed-up limit. Called at the start of every appearance tick.
    void Speed();
    // Inserts Nick with its level tag and FinalScore at row Place (0..10) and shows the table
    // anew. Called by EndGame for a qualifying result.
    void Scores();
    // Encodes the plain table text into "Scores.dat", replacing it atomically; a failure leaves
    // the old file whole and is kept in m_scoreFileProblem.
    void CodeROM();
    // Decodes "Scores.dat" into the plain table text, left empty when there is no table to use
    // (formLoad takes the default one then). A file that is no table is renamed aside or, failing
    // that, left alone and never overwritten.
    void CodeROM2();
    // Writes the default table (eleven rows "<Пусто>" with 0) as "Scores.dat"; formLoad clears
    // the temporary files after it.
    void NewFileDate();

    void createControls();
    void setAllTimersEnabled(bool enabled); // Timer1..Timer4, in that order
    void setTargetsVisible(bool visible);   // Image1..Image10, in that order
    void setTargetsEnabled(bool enabled);
    void refreshTableLabels();                 // captions of NameP/ScoresP from TopNames/TopScores
    void centreHorizontally(QWidget *control); // on OuterWidthTwips
    QString lineBreak() const;                 // the text of Ent
    // Fills a label line by line, each line followed by the line break, the way the game
    // always built its texts.
    void writeLines(QLabel *label, const QStringList &lines);
    void showCounters();            // m_hits in Text1, m_clicks in Text2
    void setTableShown(bool shown); // the table's rows on the help panel
    // A notice in a box; once the close comes from outside, on standard error instead.
    void tellPlayer(const QString &text);
    // The round's running time in ms on the scheduler's clock: pause, help and "Game Over" left
    // out (the time the timers are enabled).
    qint64 roundTimeMs() const;
    // Hands the round "Game Over" announced to the history, if it has not been yet.
    void recordRound();
    // Enters the result "Game Over" announced, if it has not been entered yet.
    void enterAnnouncedResult();
    // Under the table's lock: when another run has saved since this one loaded, puts this run's
    // new results into the table on disk instead of overwriting it. Returns what the player is
    // to be told once the lock is let go, if anything.
    QString mergeWithTableOnDisk();

    Dialogs &m_dialogs;
    Files &m_files;
    Clock &m_clock;
    RandomGenerator &m_random;
    const NumberFormat &m_numbers;
    Scheduler &m_scheduler;
    History *m_history;

    // The plain table text, kept in memory instead of "Scores.temp" (the number text of
    // "Scores.temp2" is only ever an intermediate of the codec).
    QByteArray m_scoresTemp;
    // Why "Scores.dat" was not or cannot be written, for the player. `keepsFile`: the file
    // there must never be replaced (no regular file, unreadable, damaged and not put aside);
    // otherwise the last write failed and the next one tries again.
    struct ScoreFileProblem {
        QString message;
        bool keepsFile = false;
    };
    std::optional<ScoreFileProblem> m_scoreFileProblem;

    qint64 m_hits = 0;   // shown in Text1
    qint64 m_clicks = 0; // hits and misses, shown in Text2

    // Reaction times: the round's running time up to the last time the timers stopped, and the
    // scheduler's time they last started at (they are running when set).
    qint64 m_roundTimeMs = 0;
    std::optional<qint64> m_runningSince;
    std::array<qint64, Targets> m_shownAt{};      // roundTimeMs() when each target last appeared
    QList<qint64> m_reactionMs;                   // this round's hits, in order
    std::optional<RoundRecord> m_unrecordedRound; // over, but not yet in the history

    // "Scores.dat" as this run found it after loading; nullopt when there was none.
    std::optional<QByteArray> m_loadedBytes;
    // The results this run entered into the table, in order: name with its tag, and score.
    QList<std::pair<QString, qint32>> m_newResults;

    ClickRecognizer m_surfaceClick; // clicks on the bare window surface
    bool m_loaded = false;          // the load handler has filled the table
    bool m_resultAnnounced = false; // "Game Over" is open and its result not yet entered
    bool m_closed = false;          // the closing handler has run
    bool m_quiet = false;           // closing from outside: no box may open any more
};
