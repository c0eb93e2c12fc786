// The end of a round, reached the way the game reaches it: the tick that shows the tenth target.
// What the player sees in what order, the two result lines and the entry in the table.

#include "doubles/formfixture.h"
#include "platform/gametimer.h"
#include "platform/targetpicture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <algorithm>

namespace {

bool shown(const QWidget *w)
{
    return !w->isHidden();
}

struct Round {
    QString nick;
    int level;
    int hits;
    int misses;
    int seconds;
};

// Plays a round from the start to the tick that shows the tenth target: the hits on Image1, the
// misses on the bare window, the seconds on the game clock.
void play(FormFixture &fx, const Round &round)
{
    Form1 &f = *fx.form;
    f.Nick = round.nick;
    f.HScroll1->setValue(round.level);
    f.command2Click();
    for (int i = 0; i < round.hits; ++i) {
        f.Image[0]->show();
        fx.random.draws = {0.5f, 0.5f};
        f.targetClick(0);
    }
    for (int i = 0; i < round.misses; ++i)
        f.surfaceClick();
    for (int i = 0; i < round.seconds; ++i)
        f.timer2Tick();
    for (int i = 0; i < Form1::Targets - 1; ++i)
        f.Image[i]->show();
    fx.random.draws = {0.0f}; // Image10
    f.appearanceTick();
}

} // namespace

Q_DECLARE_METATYPE(Round)

class TestGameOver : public QObject
{
    Q_OBJECT

private slots:
    void roundEndReportsResultsAfterTheBox_data()
    {
        QTest::addColumn<Round>("round");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("accuracy");
        QTest::addColumn<QString>("perMinute"); // empty: any whole number will do
        QTest::newRow("2 hits of 3 clicks in a minute")
            << Round{"Вася", 3, 2, 1, 60} << 9 << "Меткость Вася'a = 66.6%" << "Количество кликов в минуту = 3";
        QTest::newRow("no clicks") << Round{"Петя", 5, 0, 0, 30} << 0 << "Меткость Петя'a = 0%"
                                   << "Количество кликов в минуту = 0";
        QTest::newRow("clicks before the first second")
            << Round{"Оля", 3, 1, 0, 0} << 0 << "Меткость Оля'a = 100%" << "";
    }
    void roundEndReportsResultsAfterTheBox()
    {
        QFETCH(Round, round);
        QFETCH(int, score);
        QFETCH(QString, accuracy);
        QFETCH(QString, perMinute);
        FormFixture fx;
        Form1 &f = fx.load();
        int targetsUp = -1;
        bool timersOff = false;
        bool resultsLater = false;
        fx.dialogs.whileOpen = [&](const FakeDialogs::Shown &) {
            targetsUp = int(std::count_if(f.Image.begin(), f.Image.end(),
                                          [](const QWidget *t) { return shown(t); }));
            timersOff = !f.Timer1->isEnabled() && !f.Timer2->isEnabled() && !f.Timer3->isEnabled()
                        && !f.Timer4->isEnabled();
            resultsLater = !shown(f.Label1) && !shown(f.PClick) && f.Command2->text() == "Пауза";
        };
        play(fx, round);

        QCOMPARE(fx.dialogs.shown.size(), 1);
        QCOMPARE(fx.dialogs.shown[0].title, QStringLiteral("Game Over"));
        QCOMPARE(fx.dialogs.shown[0].text,
                 QStringLiteral("Игра окончена, %1 вы набрали %2 очков!").arg(round.nick).arg(score));
        QCOMPARE(fx.dialogs.shown[0].buttons, Dialogs::Buttons::Ok);
        QCOMPARE(targetsUp, Form1::Targets);
        QVERIFY(timersOff);
        QVERIFY(resultsLater);

        QCOMPARE(f.FinalScore, score);
        for (const TargetPicture *target : f.Image)
            QVERIFY(!shown(target));
        for (const QWidget *w : {static_cast<QWidget *>(f.HScroll1), static_cast<QWidget *>(f.Label19),
                                 static_cast<QWidget *>(f.PClick), static_cast<QWidget *>(f.Label1),
                                 static_cast<QWidget *>(f.Label3)})
            QVERIFY(shown(w));
        QCOMPARE(f.Label1->text(), accuracy);
        if (perMinute.isEmpty())
            QVERIFY2(QRegularExpression(QStringLiteral("^Количество кликов в минуту = \\d+$"))
                         .match(f.Label3->text()).hasMatch(),
                     qPrintable(f.Label3->text()));
        else
            QCOMPARE(f.Label3->text(), perMinute);
        QCOMPARE(f.Command2->text(), QStringLiteral("Заново"));
        // The counters stay for the player to read until the next start.
        QCOMPARE(f.Text1->text(), QString::number(round.hits));
        QCOMPARE(f.Text2->text(), QString::number(round.hits + round.misses));
    }

    void resultEntersTheTableWithItsTag_data()
    {
        QTest::addColumn<Round>("round");
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("name");
        QTest::newRow("first result, level 3") << Round{"Вася", 3, 2, 1, 60} << 0 << "Вася (Н)";
        QTest::newRow("first result, level 1") << Round{"Вася", 1, 2, 1, 60} << 0 << "Вася (ОЛ)";
        QTest::newRow("nickname already tagged") << Round{"Вася (ОТ)", 5, 2, 1, 60} << 0 << "Вася (ОТ) (ОТ)";
        QTest::newRow("score 0 never enters") << Round{"Вася", 3, 0, 2, 30} << 11 << "";
    }
    void resultEntersTheTableWithItsTag()
    {
        QFETCH(Round, round);
        QFETCH(int, place);
        QFETCH(QString, name);
        FormFixture fx;
        Form1 &f = fx.load();
        play(fx, round);
        QCOMPARE(int(f.Place), place);
        for (int row = 0; row < Form1::Rows; ++row) {
            const bool entered = row == place;
            QCOMPARE(f.TopNames[row], entered ? name : QStringLiteral("<Пусто>"));
            QCOMPARE(f.NameP[row]->text(), f.TopNames[row]);
            QCOMPARE(f.TopScores[row], entered ? f.FinalScore : 0);
            QCOMPARE(f.ScoresP[row]->text(), QString::number(f.TopScores[row]));
        }
        if (place < Form1::Rows)
            QVERIFY(f.FinalScore > 0);
    }
};

QTEST_MAIN(TestGameOver)
#include "tst_gameover.moc"
