// Rounds played through the buttons, the scale, the targets and the ticks.

#include "doubles/formfixture.h"
#include "platform/gametimer.h"

#include <QSignalSpy>
#include <QtWidgets>

// What the player sees: the round's button (and whether it takes clicks), help's button, the
// counters and the clock, which of the scale, the level's name, the banner, the two results lines,
// the help panel and the targets show, whether the targets take clicks, and under the hood the
// four timers' flags and the two appearance intervals.
static QString seen(const Form1 &f)
{
    QString shown;
    const std::pair<const char *, QWidget *> controls[] = {
        {"scale", f.HScroll1},  {"level", f.Label19}, {"banner", f.PClick},
        {"accuracy", f.Label1}, {"pace", f.Label3},   {"help", f.Frame2}};
    for (const auto &[name, control] : controls)
        shown += control->isVisible() ? QString(name) + ' ' : QString();
    for (int i = 0; i < Form1::Targets; ++i)
        shown += f.Image[i]->isVisible() ? QString::number(i + 1) + ' ' : QString();
    QString timers;
    for (const GameTimer *timer : {f.Timer1, f.Timer2, f.Timer3, f.Timer4})
        timers += timer->isEnabled() ? '1' : '0';
    return QStringLiteral("%1%2 | %3 | %4/%5 %6 | %7| targets %8 | %9 %10/%11")
        .arg(f.Command2->text(), f.Command2->isEnabled() ? "" : " (off)", f.Command4->text(),
             f.Text1->text(), f.Text2->text(), f.Label2->text().right(5), shown,
             f.Image[0]->isEnabled() ? "on" : "off", timers)
        .arg(f.Timer3->interval())
        .arg(f.Timer4->interval());
}

class TestPlay : public QObject
{
    Q_OBJECT

private slots:
    // A round step by step, the way a player goes through it.
    void roundStepByStep()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.click(f.Command2); // without a nickname: only told so
        QCOMPARE(fx.dialogs.shown, QStringList("Ошибка: Вы не ввели свой ник!"));
        QCOMPARE(
            seen(f),
            "Начать | Вкл. помощь | 0/0 00:00 | scale level banner | targets on | 0000 1000/1000");
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        QCOMPARE(seen(f), "Пауза | Вкл. помощь | 0/0 00:00 | | targets on | 1111 1000/1000");
        const QString atStart = seen(f);
        fx.click(f.Command4); // help before the first round: nothing starts when it goes
        fx.click(f.Command4);
        QCOMPARE(seen(f), atStart);
        fx.draws = {0.15f, 0.25f, 0.5f, 0.5f};
        fx.wait(1000);
        // Each appearance tick reseeds, with the day number times the part of the day gone in
        // whole seconds (the clock shows 12:00:00.999).
        QCOMPARE(fx.seeds, QList<double>({23181, 23181}));
        fx.click(f.Image[0]);
        fx.clickAt({20, 400});
        QCOMPARE(seen(f), "Пауза | Вкл. помощь | 1/2 00:01 | 2 | targets on | 1111 1050/1000");
        fx.click(f.Command2); // pause: nothing counts, nothing comes
        fx.click(f.Image[1]);
        fx.clickAt({20, 400});
        fx.wait(3000);
        const QString paused = seen(f);
        QCOMPARE(paused, "Продолжить | Вкл. помощь | 1/2 00:01 | 2 | targets off | 0000 1050/1000");
        fx.click(f.Command4); // help while paused: the round stays paused when it goes
        fx.wait(3000);
        fx.click(f.Command4);
        QCOMPARE(seen(f), paused);
        fx.click(f.Command2);
        QCOMPARE(seen(f), "Пауза | Вкл. помощь | 1/2 00:01 | 2 | targets on | 1111 1050/1000");
        fx.click(f.Command4);
        QCOMPARE(seen(f),
                 "Пауза (off) | Выкл. помощь | 1/2 00:01 | help 2 | targets on | 0000 1050/1000");
        fx.click(f.Command4);
        QCOMPARE(seen(f), "Пауза | Вкл. помощь | 1/2 00:01 | 2 | targets on | 1111 1050/1000");
        fx.draws = {0.35f, 0.45f, 0.55f, 0.65f, 0.75f, 0.85f, 0.95f, 0.05f, 0.15f};
        fx.wait(10000);
        QCOMPARE(seen(f), "Заново | Вкл. помощь | 1/2 00:05 | scale level banner accuracy pace | "
                          "targets on | 0000 1044/995");
        fx.click(f.Command2);
        QCOMPARE(seen(f), "Пауза | Вкл. помощь | 0/0 00:00 | | targets on | 1111 1044/995");
        fx.dialogs.boxAnswer = Dialogs::CancelResult;
        fx.click(f.Command3);
        QVERIFY(f.isVisible());
        fx.dialogs.boxAnswer = Dialogs::OkResult;
        fx.click(f.Command3);
        QVERIFY(!f.isVisible());
    }

    // The history gets the round with the time each hit target had been on screen while the
    // round ran: Image1 and Image2 come at 1000 ms, a pause of 5 s and help for 2 s go by, and
    // they are hit at 1500 and 1600 ms of running time. F2 asks for the statistics only before
    // the first round and after the last, and never while help is on. The next round starts
    // with no reaction times.
    void historyKeepsReactionTimesAndF2OpensStatisticsBetweenRounds()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        QSignalSpy statistics(&f, &Form1::statisticsRequested);
        const auto pressF2 = [&] { QTest::keyClick(f.windowHandle(), Qt::Key_F2); };
        pressF2();
        fx.click(f.Command4);
        pressF2();
        fx.click(f.Command4);
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        fx.draws = {0.15f, 0.25f};
        fx.wait(1300);
        fx.click(f.Command2);
        pressF2();
        fx.wait(5000);
        fx.click(f.Command2);
        fx.wait(200);
        fx.click(f.Command4);
        fx.wait(2000);
        fx.click(f.Command4);
        fx.draws = {0.5f, 0.5f, 0.5f, 0.5f};
        fx.click(f.Image[0]);
        fx.wait(100);
        fx.click(f.Image[1]);
        pressF2();
        QCOMPARE(statistics.size(), 1);
        fx.draws = {0.05f, 0.15f, 0.25f, 0.35f, 0.45f, 0.55f, 0.65f, 0.75f, 0.85f, 0.95f};
        fx.wait(10000);
        pressF2();
        QCOMPARE(statistics.size(), 2);
        QTRY_COMPARE(fx.history.rounds(QStringLiteral("Вася")).size(), 1);
        const RoundRecord round = fx.history.rounds(QStringLiteral("Вася")).first();
        QCOMPARE(round.reactionMs, QList<qint64>({500, 600}));
        QCOMPARE(
            QList<qint64>({round.level, round.score, round.hits, round.clicks, round.enteredTable}),
            QList<qint64>({3, 0, 2, 2, false})); // 0 points enter no table
        fx.click(f.Command2); // a round without hits has no reaction times of the one before
        fx.draws = {0.05f, 0.15f, 0.25f, 0.35f, 0.45f, 0.55f, 0.65f, 0.75f, 0.85f, 0.95f};
        fx.wait(10000);
        QTRY_COMPARE(fx.history.rounds(QStringLiteral("Вася")).size(), 2);
        QCOMPARE(fx.history.rounds(QStringLiteral("Вася")).last().reactionMs, QList<qint64>());
    }
};

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
