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
        // Each appearance tick reseeds, with the day number times the part of the day gone.
        QCOMPARE(fx.seeds, QList<double>({23181, 23181}));
        fx.click(f.Image[0]);
        fx.clickAt({20, 400});
        QCOMPARE(seen(f), "Пауза | Вкл. помощь | 1/2 00:01 | 2 | targets on | 1111 1050/1000");
        fx.click(f.Command2); // pause: nothing counts, nothing comes
        fx.click(f.Image[1]);
        fx.clickAt({20, 400});
        fx.wait(3000);
        QCOMPARE(seen(f),
                 "Продолжить | Вкл. помощь | 1/2 00:01 | 2 | targets off | 0000 1050/1000");
        const QString paused = seen(f);
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

    void panelButtonsShowCreditsTableAndRules()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.click(f.Command4);
        const auto firstLine = [&f] { return f.Label7->text().section(" \r\n", 0, 0); };
        fx.click(f.Command7);
        QCOMPARE(firstLine(), QString(61, ' ') + "Автор:");
        fx.click(f.Command6);
        QVERIFY2(f.NameP[0]->isVisible(), "the table is not shown");
        fx.click(f.Command5);
        QCOMPARE(firstLine(), QStringLiteral("Правила жутко просты - кликай на мишенях и все."));
        QVERIFY2(f.NameP[0]->isHidden(), "the table stays over the rules");
    }

    // A click on the scale's right arrow: the name is centred on the 7230 twips (482 pixels) of
    // the window, to the pixel, whatever its width.
    void levelScaleShowsTheLevelNameCentred()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.clickAt(f.HScroll1->geometry().center() + QPoint(f.HScroll1->width() / 2 - 5, 0));
        QCOMPARE(f.Label19->text(), QStringLiteral("Тяжело"));
        QCOMPARE(f.Label19->x(), qRound((482 - f.Label19->width()) / 2.0));
    }

    void aRoundEndsWhenAllTenAreShownAndRestarts_data()
    {
        QTest::addColumn<QString>("tickIn"); // the dialog the last tick comes in
        QTest::addColumn<QString>("press");  // the button pressed just before the last tick
        QTest::addColumn<QString>("nick");   // as the results show it
        QTest::newRow("no dialog open") << ""
                                        << ""
                                        << "Вася";
        QTest::newRow("nickname prompt open: the old name") << "Ваш ник"
                                                            << "НикНейм"
                                                            << "Вася";
        QTest::newRow("error box open: no nickname") << "Ошибка"
                                                     << "НикНейм"
                                                     << "";
        QTest::newRow("exit question open, then Cancel") << "Выход"
                                                         << "Выход"
                                                         << "Вася";
    }
    // A round at level 3. Image1..Image4 come with the ticks at 1000 (Timer3, Timer4), 2000
    // (Timer4) and 2050 ms (Timer3); all four are hit, Image1 to (600, 1440) at 550 twips, and
    // the surface is missed once. With 4 hits the intervals shrink to 1026 and 978 ms, so ticks
    // come at 3000, 3100, 3978, 4126, 4956, 5152, 5934, 6178 and 6912 ms and show Image2..Image10;
    // the tick at 7204 ms shows Image1 and ends the round: 4 hits of 5 clicks in 7 seconds,
    // ((4 x 7/3) x 4/5) / 10 = 0.747 rounds to 1, times 3 is 3 points; 80 % accuracy;
    // trunc(5/7 x 60) = 42 clicks a minute. An empty answer to the prompt is refused, a blank
    // one is a nickname.
    void aRoundEndsWhenAllTenAreShownAndRestarts()
    {
        QFETCH(QString, tickIn);
        QFETCH(QString, press);
        QFETCH(QString, nick);
        FormFixture fx;
        Form1 &f = fx.load();
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        fx.draws = {0.15f, 0.25f, 0.35f, 0.45f};
        fx.wait(2050);
        fx.draws = {0.25f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
        for (int i = 0; i < 4; ++i)
            fx.click(f.Image[i]);
        fx.clickAt({20, 400});
        fx.draws = {0.25f, 0.35f, 0.45f, 0.55f, 0.65f, 0.75f, 0.85f, 0.95f, 0.05f, 0.15f};
        fx.wait(7203 - 2050);
        fx.dialogs.whileOpen = [&](const QString &dialog) {
            if (dialog.startsWith(tickIn + ':'))
                fx.wait(1);
        };
        fx.dialogs.promptAnswers = {"", "  "};
        fx.dialogs.boxAnswer = Dialogs::CancelResult; // only the exit question heeds it
        for (const QPushButton *button : f.findChildren<QPushButton *>()) {
            if (button->text() == press)
                fx.click(button);
        }
        fx.wait(1);
        QCOMPARE(fx.dialogs.shown.filter("Game Over"),
                 QStringList("Game Over: Игра окончена, " + nick + " вы набрали 3 очков!"));
        QCOMPARE(f.Label1->text(), "Меткость " + nick + "'a = 80%");
        QCOMPARE(f.Label3->text(), QStringLiteral("Количество кликов в минуту = 42"));
        QCOMPARE(f.NameP[0]->text(), nick + " (Н)");
        QCOMPARE(f.ScoresP[0]->text(), QStringLiteral("3"));
        fx.click(f.Command2);
        QCOMPARE(f.Text1->text() + " / " + f.Text2->text(), QStringLiteral("0 / 0"));
        fx.draws = {0.15f};
        fx.wait(1000);
        QCOMPARE(f.Label2->text(), QStringLiteral("Прошло времени: 00:01"));
        QCOMPARE(f.Image[0]->geometry(), QRect(40, 96, 37, 37)); // 600, 1440, 550 twips
    }
};

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
