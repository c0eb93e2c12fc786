// Round control, the game clock, misses and help mode, driven through the window's handlers.

#include "doubles/formfixture.h"
#include "platform/gametimer.h"
#include "platform/targetpicture.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace {

const QString Start = QStringLiteral("Начать");
const QString Pause = QStringLiteral("Пауза");
const QString Resume = QStringLiteral("Продолжить");
const QString Restart = QStringLiteral("Заново");
const QString NoNick = QStringLiteral("Вы не ввели свой ник!");

QChar bit(bool on) { return on ? u'1' : u'0'; }

QString timerBits(const Form1 &f)
{
    QString bits;
    for (const GameTimer *t : {f.Timer1, f.Timer2, f.Timer3, f.Timer4})
        bits += bit(t->isEnabled());
    return bits;
}

// Which targets are shown, then which are enabled.
QString targetBits(const Form1 &f)
{
    QString shown, enabled;
    for (const TargetPicture *t : f.Image) {
        shown += bit(!t->isHidden());
        enabled += bit(t->isEnabled());
    }
    return shown + u'/' + enabled;
}

// Whether HScroll1, Label19, PClick, Label1 and Label3 are shown.
QString lookBits(const Form1 &f)
{
    QString bits;
    for (const QWidget *w : std::initializer_list<const QWidget *>{f.HScroll1, f.Label19, f.PClick,
                                                                    f.Label1, f.Label3})
        bits += bit(!w->isHidden());
    return bits;
}

// What help mode may touch: the panel, the timers, the buttons and the targets.
QString helpState(const Form1 &f)
{
    return QStringList{bit(!f.Frame2->isHidden()), timerBits(f), bit(f.Command2->isEnabled()),
                       f.Command2->text(), f.Command4->text(), targetBits(f)}
        .join(u'|');
}

// Everything a press of Command2 may change, in one comparable line.
QString snapshot(const Form1 &f)
{
    return QStringList{helpState(f), lookBits(f), f.Text1->text(), f.Text2->text(),
                       f.Label2->text(), QString::number(f.Seconds), f.Nick}
        .join(u'|');
}

// What a real Timer2 would do while the event loop runs: tick only when enabled.
void tickClock(Form1 &f)
{
    if (f.Timer2->isEnabled())
        f.timer2Tick();
}

// Appearance ticks that show the given targets (0 is Image1).
void showTargets(FormFixture &fx, Form1 &f, std::initializer_list<int> targets)
{
    for (int i : targets) {
        fx.random.draws.append(float((i + 1) % 10) / 10 + 0.05f);
        f.appearanceTick();
    }
}

// Plays the window into a round state: a running or paused round has Image1..Image3 shown,
// a finished one ended with all ten on screen.
void reach(FormFixture &fx, Form1 &f, const QString &state)
{
    f.Nick = QStringLiteral("Вася");
    if (state == Start)
        return;
    f.command2Click();
    showTargets(fx, f, {0, 1, 2});
    if (state == Resume)
        f.command2Click();
    else if (state == Restart)
        showTargets(fx, f, {3, 4, 5, 6, 7, 8, 9});
}

void checkDialog(const FakeDialogs::Shown &s, bool prompt, const QString &text,
                 const QString &title, Dialogs::Buttons buttons = Dialogs::Buttons::Ok)
{
    QCOMPARE(s.prompt, prompt);
    QCOMPARE(s.text, text);
    QCOMPARE(s.title, title);
    if (!prompt)
        QCOMPARE(s.buttons, buttons);
}

} // namespace

class TestRounds : public QObject
{
    Q_OBJECT

private slots:
    void command2StepsTheRoundAndOnlyRestartResets_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<bool>("named");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("running");
        QTest::addColumn<bool>("resets");
        const std::tuple<QString, QString, bool, bool> steps[] = {
            {Start, Pause, true, false},
            {Pause, Resume, false, false},
            {Resume, Pause, true, false},
            {Restart, Pause, true, true},
        };
        for (const auto &[from, to, running, resets] : steps) {
            QTest::addRow("%s pressed", qPrintable(from))
                << from << true << to << running << resets;
            QTest::addRow("%s without nickname", qPrintable(from)) << from << false << from
                                                                    << false << false;
        }
    }
    void command2StepsTheRoundAndOnlyRestartResets()
    {
        QFETCH(QString, from);
        QFETCH(bool, named);
        QFETCH(QString, to);
        QFETCH(bool, running);
        QFETCH(bool, resets);
        FormFixture fx;
        Form1 &f = fx.load();
        reach(fx, f, from);
        QCOMPARE(f.Command2->text(), from);
        if (!named)
            f.Nick.clear();
        // Values only a restart may clear, and stale targets it must hide and enable.
        f.Text1->setText(QStringLiteral("3"));
        f.Text2->setText(QStringLiteral("5"));
        f.Seconds = 42;
        f.Label2->setText(QStringLiteral("Прошло времени: 00:42"));
        if (from == Restart) {
            f.Image[0]->show();
            f.Image[1]->setEnabled(false);
        }
        const QString before = snapshot(f);
        const QString shownBefore = targetBits(f).left(Form1::Targets);
        fx.dialogs.shown.clear();

        f.command2Click();

        if (!named) {
            QCOMPARE(snapshot(f), before);
            QCOMPARE(int(fx.dialogs.shown.size()), 1);
            checkDialog(fx.dialogs.shown.first(), false, NoNick, QStringLiteral("Ошибка"));
            return;
        }
        QVERIFY(fx.dialogs.shown.isEmpty());
        QCOMPARE(f.Command2->text(), to);
        QCOMPARE(timerBits(f), running ? "1111" : "0000");
        QCOMPARE(targetBits(f), (resets ? QString(10, u'0') : shownBefore) + u'/'
                                    + QString(10, bit(running)));
        QCOMPARE(lookBits(f), "00000");
        QCOMPARE(f.Text1->text(), resets ? "0" : "3");
        QCOMPARE(f.Text2->text(), resets ? "0" : "5");
        QCOMPARE(f.Label2->text(), resets ? "Прошло времени: 00:00" : "Прошло времени: 00:42");
        QCOMPARE(int(f.Seconds), resets ? 0 : 42);
        // The clock goes on from the same second exactly while the round runs.
        tickClock(f);
        QCOMPARE(int(f.Seconds), (resets ? 0 : 42) + running);
    }

    void command1AsksUntilNonEmptyAndStoresOneLine_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("nick");
        QTest::newRow("answered at once") << QStringList{"Петя"} << "Петя";
        QTest::newRow("cancelled twice") << QStringList{"", "", "Петя"} << "Петя";
        QTest::newRow("spaces only") << QStringList{"   "} << "   ";
        QTest::newRow("not trimmed") << QStringList{"", " Петя  "} << " Петя  ";
        QTest::newRow("CR LF") << QStringList{"a\r\nb"} << "a b";
        QTest::newRow("LF") << QStringList{"a\nb"} << "a b";
    }
    void command1AsksUntilNonEmptyAndStoresOneLine()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, nick);
        FormFixture fx;
        Form1 &f = fx.load();
        f.Nick = QStringLiteral("Старый");
        fx.dialogs.promptAnswers = answers;
        QStringList nickWhileErrorShown;
        fx.dialogs.whileOpen = [&](const FakeDialogs::Shown &s) {
            if (!s.prompt)
                nickWhileErrorShown << f.Nick;
        };
        f.command1Click();
        QCOMPARE(f.Nick, nick);
        const qsizetype cancels = answers.size() - 1;
        QCOMPARE(nickWhileErrorShown, QStringList(cancels, QString()));
        QCOMPARE(fx.dialogs.shown.size(), 2 * cancels + 1);
        for (qsizetype k = 0; k < fx.dialogs.shown.size(); ++k) {
            const bool prompt = k % 2 == 0;
            checkDialog(fx.dialogs.shown[k], prompt, prompt ? "Введите свой ник." : NoNick,
                        prompt ? "Ваш ник" : "Ошибка");
        }
    }

    // Neither the nickname prompt nor the exit question pauses the round: ticks go on meanwhile.
    void roundGoesOnBehindNicknameAndExitDialogs_data()
    {
        QTest::addColumn<bool>("exit");
        QTest::addColumn<bool>("help");
        QTest::addColumn<int>("answer");
        QTest::newRow("nickname while running") << false << false << 0;
        QTest::newRow("nickname in help") << false << true << 0;
        QTest::newRow("exit cancelled") << true << false << Dialogs::CancelResult;
        QTest::newRow("exit confirmed") << true << false << Dialogs::OkResult;
    }
    void roundGoesOnBehindNicknameAndExitDialogs()
    {
        QFETCH(bool, exit);
        QFETCH(bool, help);
        QFETCH(int, answer);
        FormFixture fx;
        Form1 &f = fx.load();
        reach(fx, f, Pause);
        if (help)
            f.command4Click();
        fx.memoryFiles.files.remove(QStringLiteral("Scores.dat"));
        fx.dialogs.promptAnswers = {QStringLiteral("Новый")};
        fx.dialogs.boxAnswers = {answer};
        QList<bool> runningWhileAsked;
        fx.dialogs.whileOpen = [&](const FakeDialogs::Shown &) {
            runningWhileAsked << f.Timer3->isEnabled();
            tickClock(f);
        };
        exit ? f.command3Click() : f.command1Click();

        QCOMPARE(int(fx.dialogs.shown.size()), 1);
        if (exit)
            checkDialog(fx.dialogs.shown.first(), false, QStringLiteral("Вы уверены?"),
                        QStringLiteral("Выход"), Dialogs::Buttons::OkCancel);
        QCOMPARE(runningWhileAsked, QList<bool>{!help});
        QCOMPARE(int(f.Seconds), help ? 0 : 1);
        // The closing handler writes the table: the window closed exactly on OK.
        const bool closes = answer == Dialogs::OkResult;
        QCOMPARE(fx.memoryFiles.files.contains(QStringLiteral("Scores.dat")), closes);
        if (closes)
            return;
        QCOMPARE(timerBits(f), help ? "0000" : "1111");
        QCOMPARE(f.Command2->text(), Pause);
        QCOMPARE(f.Nick, exit ? "Вася" : "Новый");
        // The round is reported under the name it has when it ends.
        if (help)
            f.command4Click();
        showTargets(fx, f, {3, 4, 5, 6, 7, 8, 9});
        QCOMPARE(fx.dialogs.shown.last().title, "Game Over");
        QVERIFY(fx.dialogs.shown.last().text.contains(f.Nick));
    }

    void clockTickShowsMinutesAndSeconds_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("time");
        const std::pair<int, const char *> rows[] = {
            {1, "00:01"},     {9, "00:09"},     {10, "00:10"},   {59, "00:59"},
            {60, "01:00"},    {65, "01:05"},    {599, "09:59"},  {600, "10:00"},
            {3599, "59:59"},  {6000, "100:00"}, {32767, "546:07"},
        };
        for (const auto &[s, time] : rows)
            QTest::addRow("%d s", s) << s - 1 << s << QString::fromLatin1(time);
        QTest::newRow("tick after the largest count") << 32767 << 32767 << "546:07";
    }
    void clockTickShowsMinutesAndSeconds()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        QFETCH(QString, time);
        FormFixture fx;
        Form1 &f = fx.load();
        f.Seconds = qint16(before);
        f.timer2Tick();
        QCOMPARE(int(f.Seconds), after);
        QCOMPARE(f.Label2->text(), "Прошло времени: " + time);
    }

    void missesCountOnlyWhileRoundRuns_data()
    {
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("help");
        QTest::addColumn<bool>("counts");
        QTest::newRow("before start") << Start << false << false;
        QTest::newRow("running") << Pause << false << true;
        QTest::newRow("paused") << Resume << false << false;
        QTest::newRow("help") << Pause << true << false;
        QTest::newRow("after game over") << Restart << false << false;
    }
    void missesCountOnlyWhileRoundRuns()
    {
        QFETCH(QString, state);
        QFETCH(bool, help);
        QFETCH(bool, counts);
        FormFixture fx;
        Form1 &f = fx.load();
        reach(fx, f, state);
        if (help)
            f.command4Click();
        const QString hits = f.Text1->text(), clicks = f.Text2->text();
        fx.random.draws = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
        f.targetClick(0);
        f.surfaceClick();
        f.targetClick(1);
        f.surfaceClick();
        f.targetClick(2);
        QVERIFY(fx.random.draws.isEmpty() && !fx.random.exhausted);
        QCOMPARE(f.Text1->text(), counts ? "3" : hits);
        QCOMPARE(f.Text2->text(), counts ? "5" : clicks);
    }

    void helpFreezesAndRestoresEachState_data()
    {
        QTest::addColumn<QString>("from");
        for (const QString &s : {Start, Pause, Resume, Restart})
            QTest::addRow("from %s", qPrintable(s)) << s;
    }
    void helpFreezesAndRestoresEachState()
    {
        QFETCH(QString, from);
        FormFixture fx;
        Form1 &f = fx.load();
        reach(fx, f, from);
        const int seconds = f.Seconds;
        const QString off = helpState(f);
        const QString on =
            QStringList{"1", "0000", "0", from, "Выкл. помощь", targetBits(f)}.join(u'|');
        f.command4Click();
        QCOMPARE(helpState(f), on);
        tickClock(f);
        QCOMPARE(int(f.Seconds), seconds);
        f.command4Click();
        QCOMPARE(helpState(f), off);
        tickClock(f);
        QCOMPARE(int(f.Seconds), seconds + (from == Pause));
    }
};

QTEST_MAIN(TestRounds)
#include "tst_rounds.moc"
