#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QFrame;

class Clock;
class Dialogs;
class Files;
class GameTimer;
class NumberText;
class RandomGenerator;
class TargetPicture;

// The game's one window. It owns every control and the game's state; the handlers and
// procedures are implemented in one source file per area of behaviour (app/, game/, targets/,
// scores/). Controls and form-level variables keep the game's own names.
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
        NumberText &numbers;
    };

    static constexpr int Rows = 11;    // rows of the table of best results, 0..10
    static constexpr int Targets = 10; // Image1..Image10 are Image[0..9]

    explicit Form1(const Services &services, QWidget *parent = nullptr);
    ~Form1() override;

    // ---- Controls -------------------------------------------------------------------------
    QLabel *Label1 = nullptr;  // accuracy line after a round
    QLabel *Label2 = nullptr;  // game clock
    QLabel *Label3 = nullptr;  // clicks-per-minute line after a round
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
    QLabel *PClick = nullptr;   // name banner
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
    std::array<QLabel *, Rows> NameP{};
    std::array<QLabel *, Rows> ScoresP{};
    GameTimer *Timer1 = nullptr; // no tick action
    GameTimer *Timer2 = nullptr; // game clock
    GameTimer *Timer3 = nullptr; // appearance; its Enabled flag means "a round is running"
    GameTimer *Timer4 = nullptr; // appearance

    // ---- Form-level variables -------------------------------------------------------------
    QString Nick;
    qint16 Seconds = 0;
    qint32 FinalScore = 0;
    std::array<QString, Rows> TopNames{};
    std::array<qint32, Rows> TopScores{};
    qint16 Place = 0;

    // ---- Events ---------------------------------------------------------------------------
    void formLoad();    // before the window is first shown
    void formClosing(); // every way the window closes; asks nothing, never cancels
    // Ends the run from outside (a signal, the end of the desktop session): the same close as
    // the window manager's, but no box is shown and open dialogs are dismissed; a failed save
    // goes to standard error.
    void closeQuietly();
    void surfaceClick(); // a click on the bare window surface
    void command1Click();
    void command2Click();
    void command3Click();
    void command4Click();
    void command5Click();
    void command6Click();
    void command7Click();
    void targetClick(int index); // 0 <= index < Targets: Image[index] was clicked
    void hScroll1Change();       // value changed, or thumb dragged
    void timer2Tick();
    void appearanceTick();       // a tick of Timer3 or Timer4

    // Outer width of the window used for centring, in twips (client width plus the border the
    // layout was made with), the same on every platform.
    static constexpr int OuterWidthTwips = 7230;

protected:
    void closeEvent(QCloseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    // The game's own procedures.
    void Score();
    void EndGame();
    void Speed();
    void Scores();
    void CodeROM();
    void CodeROM2();
    void NewFileDate();

    void createControls();
    void setAllTimersEnabled(bool enabled); // Timer1..Timer4, in that order
    void setTargetsVisible(bool visible);   // Image1..Image10, in that order
    void setTargetsEnabled(bool enabled);
    void refreshTableLabels();              // captions of NameP/ScoresP from TopNames/TopScores
    void centreHorizontally(QWidget *control); // on OuterWidthTwips
    QString lineBreak() const;              // the text of Ent
    // Fills a label line by line, each line followed by the line break, the way the game
    // always built its texts.
    void writeLines(QLabel *label, const QStringList &lines);
    double counter(const QLineEdit *box) const;
    void setCounter(QLineEdit *box, double value);
    void tellPlayer(const QString &text);
    void reportProblem(const QString &text); // a box, or standard error once the close is quiet

    Dialogs &m_dialogs;
    Files &m_files;
    Clock &m_clock;
    RandomGenerator &m_random;
    NumberText &m_numbers;

    // The two inner layers of the score file, kept in memory instead of "Scores.temp" and
    // "Scores.temp2".
    QByteArray m_scoresTemp;  // plain table text
    QByteArray m_scoresTemp2; // number text
    // Set when "Scores.dat" must not be written (it is no regular file); the text says why.
    QString m_scoreFileProblem;
    // What kept the last CodeROM from writing "Scores.dat"; empty when it was written.
    QString m_scoreFileWriteError;

    bool m_surfacePressed = false; // a left press on the bare surface awaits its release
    bool m_closed = false;         // the closing handler has run
    bool m_quiet = false;          // closing from outside: no box may open any more
};
