// Rounds played through the buttons, the scale, the targets and the ticks.

#include "doubles/formfixture.h"
#include "platform/targetpicture.h"
#include "scores/scorecodec.h"

#include <QTest>
#include <QtWidgets>

namespace {

// Points of the window in pixels, worked out by hand from the layout in twips.
const QPoint BareSurface(20, 400);
const QPoint Command1Middle(68, 444);
const QPoint Command3Middle(404, 444);

Form1 &startRound(FormFixture &fx)
{
    Form1 &f = fx.load();
    fx.enterNick(QStringLiteral("Вася"));
    fx.click(f.Command2);
    return f;
}

// A round at level 3 up to just before its last tick. Image1..Image4 come with the ticks at
// 1000 (Timer3, Timer4), 2000 (Timer4) and 2050 ms (Timer3); all four are hit, Image1 to
// (600, 1440) at 550 twips, and the surface is missed once. With 4 hits the intervals shrink to
// 1026 and 978 ms, so ticks come at 3000, 3100, 3978, 4126, 4956, 5152, 5934, 6178 and 6912 ms
// and show Image2..Image10; the tick at 7204 ms is left, scripted to show Image1.
void playToLastTick(FormFixture &fx)
{
    fx.wait(10); // Timer1's countdown ends here; it must draw nothing
    fx.random.draws = {0.15f, 0.25f, 0.35f, 0.45f};
    fx.wait(2040);
    fx.random.draws = {0.25f, 0.0f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    for (int i = 0; i < 4; ++i)
        fx.click(fx.form->Image[i]);
    fx.clickAt(BareSurface);
    fx.random.draws = {0.25f, 0.35f, 0.45f, 0.55f, 0.65f, 0.75f, 0.85f, 0.95f, 0.05f, 0.15f};
    fx.wait(7203 - 2050);
}

int shownTargets(const Form1 &f)
{
    return int(std::count_if(f.Image.begin(), f.Image.end(),
                             [](const TargetPicture *target) { return target->isVisible(); }));
}

void endRow(const char *name, const QList<int> &stored, QPoint press, const QString &tickIn,
            const QString &nick, const QString &table)
{
    QTest::newRow(name) << stored << press << tickIn << nick << table;
}

} // namespace

class TestPlay : public QObject
{
    Q_OBJECT

private slots:
    void aNicknameIsNeededAndBlanksAreOne()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.click(f.Command2);
        QCOMPARE(f.Command2->text(), QStringLiteral("Начать"));
        fx.dialogs.promptAnswers = {QString(), QStringLiteral("  ")};
        fx.click(f.Command1);
        QStringList seen;
        for (const FakeDialogs::Shown &dialog : fx.dialogs.shown)
            seen << dialog.title + ": " + dialog.text;
        const QString noNick = QStringLiteral("Ошибка: Вы не ввели свой ник!");
        const QString prompt = QStringLiteral("Ваш ник: Введите свой ник.");
        QCOMPARE(seen, QStringList({noNick, prompt, noNick, prompt}));
        fx.wait(3000); // nothing started: a tick would draw, and no draw is scripted
        fx.click(f.Command2);
        QCOMPARE(f.Command2->text(), QStringLiteral("Пауза"));
    }

    void helpFreezesTheGameAndLetsOnlyARunningRoundGoOn_data()
    {
        QTest::addColumn<int>("presses"); // of Command2 before help is switched on
        QTest::addColumn<QList<float>>("draws");
        QTest::addColumn<QString>("clock");
        QTest::newRow("before the first start") << 0 << QList<float>() << "00:00";
        QTest::newRow("while a round runs") << 1 << QList<float>{0.15f, 0.25f} << "00:01";
        QTest::newRow("while paused") << 2 << QList<float>() << "00:00";
        QTest::newRow("after a pause and a resume") << 3 << QList<float>{0.15f, 0.25f} << "00:01";
    }

    void helpFreezesTheGameAndLetsOnlyARunningRoundGoOn()
    {
        QFETCH(int, presses);
        QFETCH(QList<float>, draws);
        QFETCH(QString, clock);
        FormFixture fx;
        Form1 &f = fx.load();
        fx.enterNick(QStringLiteral("Вася"));
        for (int i = 0; i < presses; ++i)
            fx.click(f.Command2);
        fx.click(f.Command4);
        QVERIFY2(f.Frame2->isVisible(), "help on should show the panel");
        QVERIFY2(f.Frame2->isAncestorOf(f.childAt(f.HScroll1->geometry().center())),
                 "the scale shows through the help panel");
        QCOMPARE(f.Command4->text(), QStringLiteral("Выкл. помощь"));
        QVERIFY2(!f.Command2->isEnabled(), "Command2 must not be pressable while help is shown");
        fx.wait(3000); // frozen: a tick would draw, and no draw is scripted
        fx.click(f.Command4);
        QVERIFY2(f.Frame2->isHidden(), "help off should hide the panel");
        QCOMPARE(f.Command4->text(), QStringLiteral("Вкл. помощь"));
        QVERIFY2(f.Command2->isEnabled(), "help off should give Command2 back");
        fx.random.draws = draws;
        fx.wait(1000);
        QCOMPARE(f.Label2->text(), "Прошло времени: " + clock);
        QVERIFY2(fx.random.draws.isEmpty(), "the appearance timers did not come back");
    }

    void panelButtonsShowRulesTableAndCredits()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.click(f.Command4);
        const auto line = [&f](int n) { return f.Label7->text().section(" \r\n", n, n); };
        const auto lines = [&f] { return f.Label7->text().count(" \r\n"); };
        const QString rules = QStringLiteral("Правила жутко просты - кликай на мишенях и все.");
        QCOMPARE(line(0), rules); // as the window opens
        fx.click(f.Command7);
        QCOMPARE(line(0), QString(61, ' ') + "Автор:");
        QCOMPARE(lines(), 17);
        fx.click(f.Command6);
        QCOMPARE(f.Label7->text(), QString());
        QVERIFY2(f.Mesto[10]->isVisible() && f.ScoresP[10]->isVisible(), "the table is not shown");
        fx.click(f.Command5);
        QCOMPARE(line(0), rules);
        QCOMPARE(lines(), 10);
        QVERIFY2(f.NameP[0]->isHidden(), "the table stays over the rules");
    }

    void levelScaleShowsTheLevelNameCentred_data()
    {
        QTest::addColumn<int>("arrow"); // clicks on the right (> 0) or left (< 0) arrow
        QTest::addColumn<int>("drag");  // the thumb dragged to the right (1) or left (-1) end
        QTest::addColumn<QString>("name");
        QTest::newRow("as the window opens") << 0 << 0 << "Норма";
        QTest::newRow("right arrow") << 1 << 0 << "Тяжело";
        QTest::newRow("left arrow") << -1 << 0 << "Легко";
        QTest::newRow("thumb dragged to the left end") << 0 << -1 << "Очень легко";
        QTest::newRow("thumb dragged to the right end") << 0 << 1 << "Очень тяжело";
    }

    void levelScaleShowsTheLevelNameCentred()
    {
        QFETCH(int, arrow);
        QFETCH(int, drag);
        QFETCH(QString, name);
        FormFixture fx;
        Form1 &f = fx.load();
        // The middle of the left arrow (-1), of the thumb at level 3 (0), of the right arrow (1).
        const auto scalePart = [&f](int part) {
            return f.HScroll1->geometry().center()
                   + QPoint(part * (f.HScroll1->width() / 2 - 5), 0);
        };
        for (int i = 0; i < qAbs(arrow); ++i)
            fx.clickAt(scalePart(arrow));
        if (drag != 0) {
            QTest::mousePress(f.windowHandle(), Qt::LeftButton, {}, scalePart(0));
            QTest::mouseMove(f.windowHandle(), scalePart(drag));
            QTest::mouseRelease(f.windowHandle(), Qt::LeftButton, {}, scalePart(drag));
        }
        QCOMPARE(f.Label19->text(), name);
        const double left = f.Label19->x() * 15;
        const double centred = (7230 - f.Label19->width() * 15) / 2.0;
        QVERIFY2(qAbs(left - centred) <= 7.5,
                 qPrintable(QStringLiteral("Left %1 twips, centred %2").arg(left).arg(centred)));
    }

    void aRoundEndsWhenAllTenAreShownAndRestarts_data()
    {
        QTest::addColumn<QList<int>>("stored"); // the table's scores before the round
        QTest::addColumn<QPoint>("press");      // the button that opens a dialog, if any
        QTest::addColumn<QString>("tickIn");    // the dialog the last tick comes in
        QTest::addColumn<QString>("nick");      // as the results show it
        QTest::addColumn<QString>("table");
        const QList<int> zeros(11, 0);
        const QString entered = "Вася (Н):3" + QString("|Best:0").repeated(10);
        endRow("no dialog open: a first place", zeros, {}, "", "Вася", entered);
        endRow("nickname prompt open: the old nickname", zeros, Command1Middle, "Ваш ник", "Вася",
               entered);
        endRow("error box of an empty answer open: no nickname", zeros, Command1Middle, "Ошибка",
               "", " (Н):3" + QString("|Best:0").repeated(10));
        endRow("exit question open, then Cancel: the game goes on", zeros, Command3Middle, "Выход",
               "Вася", entered);
        endRow("a tie with first place goes below it", QList<int>{3} + QList<int>(10, 2), {}, "",
               "Вася", "Best:3|Вася (Н):3" + QString("|Best:2").repeated(9));
        endRow("lower than all eleven: the table stays", QList<int>(11, 5), {}, "", "Вася",
               QString("Best:5|").repeated(10) + "Best:5");
    }

    // 4 hits of 5 clicks in 7 seconds at level 3: ((4 x 7/3) x 4/5) / 10 = 0.747 rounds to 1,
    // times 3 is 3 points; 80 % accuracy; trunc(5/7 x 60) = 42 clicks a minute.
    void aRoundEndsWhenAllTenAreShownAndRestarts()
    {
        QFETCH(QList<int>, stored);
        QFETCH(QPoint, press);
        QFETCH(QString, tickIn);
        QFETCH(QString, nick);
        QFETCH(QString, table);
        FormFixture fx;
        QByteArray plain;
        for (int score : stored)
            plain += "Best\r\n" + QByteArray::number(score) + "\r\n";
        fx.memoryFiles.files.insert("Scores.dat", ScoreCodec::encode(plain));
        Form1 &f = startRound(fx);
        QVERIFY2(f.HScroll1->isHidden() && f.Label19->isHidden() && f.PClick->isHidden(),
                 "the scale, the level name or the banner stays in the field");
        playToLastTick(fx);
        QString gameOver; // the box's text and the targets it was shown with
        fx.dialogs.whileOpen = [&](const FakeDialogs::Shown &dialog) {
            if (dialog.title == "Game Over")
                gameOver = dialog.text + QStringLiteral(", %1 targets shown").arg(shownTargets(f));
            else if (dialog.title == tickIn)
                fx.wait(1);
        };
        // An empty answer and then a name; OK for "Game Over", Cancel for the question after.
        fx.dialogs.promptAnswers = {"", "Петя"};
        fx.dialogs.boxAnswers = {Dialogs::OkResult, Dialogs::CancelResult};
        if (!press.isNull())
            fx.clickAt(press);
        fx.wait(1);
        // The last picture of the round stays while the box is open.
        QCOMPARE(gameOver, "Игра окончена, " + nick + " вы набрали 3 очков!, 10 targets shown");
        QCOMPARE(shownTargets(f), 0);
        QCOMPARE(f.Command2->text(), QStringLiteral("Заново"));
        QVERIFY2(f.Label1->isVisible() && f.Label3->isVisible(), "the results are not shown");
        QCOMPARE(f.Label1->text(), "Меткость " + nick + "'a = 80%");
        QCOMPARE(f.Label3->text(), QStringLiteral("Количество кликов в минуту = 42"));
        QStringList rows;
        for (int row = 0; row < 11; ++row)
            rows << f.NameP[row]->text() + ':' + f.ScoresP[row]->text();
        QCOMPARE(rows.join('|'), table);
        QVERIFY2(f.isVisible(), "the game closed");

        fx.click(f.Command2);
        QCOMPARE(f.Text1->text(), QStringLiteral("0"));
        QCOMPARE(f.Text2->text(), QStringLiteral("0"));
        QCOMPARE(f.Label2->text(), QStringLiteral("Прошло времени: 00:00"));
        QVERIFY2(f.Label1->isHidden() && f.Label3->isHidden(), "the last results stay");
        fx.random.draws = {0.15f};
        fx.wait(1000);
        QCOMPARE(f.Label2->text(), QStringLiteral("Прошло времени: 00:01"));
        QVERIFY2(f.Image[0]->isVisible(), "Image1 was drawn and is not shown");
        QCOMPARE(f.Image[0]->geometry(), QRect(40, 96, 37, 37)); // 600, 1440, 550 twips
    }
};

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
