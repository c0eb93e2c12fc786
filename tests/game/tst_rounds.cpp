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

const QString Start = "Начать", Pause = "Пауза", Resume = "Продолжить", Restart = "Заново";
// Dialogs as "buttons|text|title", with "?" for the buttons of a prompt.
const QString PromptBox = "?|Введите свой ник.|Ваш ник",
              NoNickBox = "0|Вы не ввели свой ник!|Ошибка";

static QString box(const FakeDialogs::Shown &s)
{
    return (s.prompt ? "?" : QString::number(int(s.buttons))) + u'|' + s.text + u'|' + s.title;
}

static QString bits(const auto &items, auto on)
{
    QString s;
    for (const auto *item : items)
        s += on(item) ? u'1' : u'0';
    return s;
}
const auto shown = [](const QWidget *w) { return !w->isHidden(); };
const auto enabled = [](const auto *o) { return o->isEnabled(); };
static QString timers(const Form1 &f)
{
    return bits(std::array{f.Timer1, f.Timer2, f.Timer3, f.Timer4}, enabled);
}
// What a real Timer2 does while the event loop runs: tick only when enabled.
static void tickClock(Form1 &f)
{
    f.Timer2->isEnabled() ? f.timer2Tick() : void();
}

// [0] Frame2 shown, [1] timers, [2] Command2 enabled, [3] Command2, [4] Command4, [5] targets
// shown, [6] targets enabled, [7] HScroll1, Label19, PClick, Label1, Label3 shown, [8] Text1,
// [9] Text2, [10] Label2, [11] Seconds, [12] Nick.
static QStringList snapshot(const Form1 &f)
{
    const std::array<const QWidget *, 5> look{f.HScroll1, f.Label19, f.PClick, f.Label1, f.Label3};
    return {bits(std::array{f.Frame2}, shown),
            timers(f),
            bits(std::array{f.Command2}, enabled),
            f.Command2->text(),
            f.Command4->text(),
            bits(f.Image, shown),
            bits(f.Image, enabled),
            bits(look, shown),
            f.Text1->text(),
            f.Text2->text(),
            f.Label2->text(),
            QString::number(f.Seconds),
            f.Nick};
}

static QStringList with(QStringList list, std::initializer_list<std::pair<int, QString>> changes)
{
    for (const auto &[i, value] : changes)
        list[i] = value;
    return list;
}

// Appearance ticks that show Image[from] up to Image[to - 1].
static void showTargets(FormFixture &fx, Form1 &f, int from, int to)
{
    for (int i = from; i < to; ++i)
        fx.random.draws.append(float((i + 1) % 10) / 10 + 0.05f);
    for (int i = from; i < to; ++i)
        f.appearanceTick();
}

// Plays into the state Command2's caption names: a running or paused round shows Image1..Image3,
// a finished one ended with all ten on screen.
static void reach(FormFixture &fx, Form1 &f, const QString &state)
{
    f.Nick = "Вася";
    if (state != Start)
        f.command2Click();
    showTargets(fx, f, 0, state == Start ? 0 : state == Restart ? 10 : 3);
    if (state == Resume)
        f.command2Click();
}

class TestRounds : public QObject
{
    Q_OBJECT

private slots:
    void helpMissesAndCommand2InEachState_data()
    {
        QTest::addColumn<QString>("from");
        for (const QString &s : {Start, Pause, Resume, Restart})
            QTest::newRow(qPrintable(s)) << s;
    }
    void helpMissesAndCommand2InEachState()
    {
        QFETCH(QString, from);
        FormFixture fx;
        Form1 &f = fx.load();
        reach(fx, f, from);
        QStringList expected = snapshot(f);
        // Help freezes the state, misses included, and gives it back.
        f.command4Click();
        f.surfaceClick();
        QCOMPARE(snapshot(f),
                 with(expected, {{0, "1"}, {1, "0000"}, {2, "0"}, {4, "Выкл. помощь"}}));
        f.command4Click();
        QCOMPARE(snapshot(f), expected);
        // Misses count only while Timer3 runs; three hits with a miss between each two.
        fx.random.draws = QList<float>(6, 0.5f);
        for (int i : {0, -1, 1, -1, 2})
            i < 0 ? f.surfaceClick() : f.targetClick(i);
        QCOMPARE(f.Text1->text() + u'/' + f.Text2->text(), from == Pause ? "3/5" : "0/0");

        // Command2 without a nickname is refused; with one it steps the round, and only a restart
        // clears these values.
        f.Nick.clear();
        f.Text1->setText("3");
        f.Text2->setText("5");
        f.Seconds = 41;
        f.timer2Tick();
        expected = snapshot(f);
        fx.dialogs.shown.clear();
        f.command2Click();
        QCOMPARE(snapshot(f), expected);
        f.Nick = expected[12] = "Вася";
        f.command2Click();
        QCOMPARE(QString::number(fx.dialogs.shown.size()) + box(fx.dialogs.shown.value(0)),
                 "1" + NoNickBox);
        const bool running = from != Pause, resets = from == Restart;
        expected = with(expected, {{1, running ? "1111" : "0000"},
                                   {3, running ? Pause : Resume},
                                   {6, running ? "1111111111" : "0000000000"},
                                   {7, "00000"}});
        if (resets)
            expected = with(
                expected,
                {{5, "0000000000"}, {8, "0"}, {9, "0"}, {10, "Прошло времени: 00:00"}, {11, "0"}});
        QCOMPARE(snapshot(f), expected);
        tickClock(f); // the clock goes on from the same second exactly while the round runs
        QCOMPARE(int(f.Seconds), (resets ? 0 : 42) + running);
    }

    // Neither the nickname prompt nor the exit question pauses the round: ticks go on meanwhile.
    void roundGoesOnBehindNicknameAndExitDialogs_data()
    {
        QTest::addColumn<QStringList>("answers"); // typed into the prompt; none: the exit question
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("nick");
        QTest::newRow("nickname cancelled twice")
            << QStringList{"", "", " Но\r\nвый\n"} << 0 << " Но вый ";
        QTest::newRow("exit cancelled") << QStringList() << Dialogs::CancelResult << "Вася";
        QTest::newRow("exit confirmed") << QStringList() << Dialogs::OkResult << "Вася";
    }
    void roundGoesOnBehindNicknameAndExitDialogs()
    {
        QFETCH(QStringList, answers);
        QFETCH(int, answer);
        QFETCH(QString, nick);
        FormFixture fx;
        Form1 &f = fx.load();
        reach(fx, f, Pause);
        fx.memoryFiles.files.remove("Scores.dat");
        fx.dialogs.promptAnswers = answers;
        fx.dialogs.boxAnswers = {answer};
        QStringList seen, expected; // each dialog with the timers and the nickname while it is open
        fx.dialogs.whileOpen = [&](const FakeDialogs::Shown &s) {
            seen << box(s) + u'|' + timers(f) + u'|' + f.Nick;
            tickClock(f);
        };
        answers.isEmpty() ? f.command3Click() : f.command1Click();
        for (qsizetype k = 0; k < std::max(2 * answers.size() - 1, qsizetype(1)); ++k)
            expected << (answers.isEmpty() ? "1|Вы уверены?|Выход"
                         : k % 2           ? NoNickBox
                                           : PromptBox)
                            + "|1111|" + (k ? "" : "Вася");
        QCOMPARE(seen, expected);
        QCOMPARE(int(f.Seconds), int(expected.size()));
        // The closing handler writes the table: the window closed exactly on OK.
        QCOMPARE(fx.memoryFiles.files.contains("Scores.dat"), answer == Dialogs::OkResult);
        if (answer == Dialogs::OkResult)
            return;
        QCOMPARE(timers(f) + f.Command2->text() + f.Nick, "1111" + Pause + nick);
        showTargets(fx, f, 3, 10); // the round is reported under the name it has at its end
        QVERIFY(box(fx.dialogs.shown.last()).startsWith("0|Игра окончена, " + nick + " вы"));
    }

    void clockTickShowsMinutesAndSeconds()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        for (const QString row :
             {"0 00:01 1", "59 01:00 60", "32766 546:07 32767", "32767 546:07 32767"}) {
            f.Seconds = qint16(row.section(u' ', 0, 0).toInt());
            f.timer2Tick();
            QCOMPARE(f.Label2->text() + u' ' + QString::number(f.Seconds),
                     "Прошло времени: " + row.section(u' ', 1));
        }
    }
};

QTEST_MAIN(TestRounds)
#include "tst_rounds.moc"
