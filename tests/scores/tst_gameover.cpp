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

bool shown(const QWidget *w) { return !w->isHidden(); }

// Hits on Image1, misses on the bare window, seconds on the game clock; what the end shows.
struct Round { QString nick; int level, hits, misses, seconds, score; QString accuracy, perMinute; int place; };

} // namespace

Q_DECLARE_METATYPE(Round)

class TestGameOver : public QObject
{
    Q_OBJECT

private slots:
    void roundEndShowsBoxThenResultsAndEntersTheTable_data()
    {
        QTest::addColumn<Round>("r"); // place 11: not entered; perMinute a pattern
        QTest::newRow("2 of 3 clicks in a minute") << Round{"Вася", 3, 2, 1, 60, 9, "66.6", "3", 0};
        QTest::newRow("tagged nickname") << Round{"Вася (ОТ)", 5, 2, 1, 60, 40, "66.6", "3", 0};
        QTest::newRow("no clicks") << Round{"Петя", 5, 0, 0, 30, 0, "0", "0", 11};
        QTest::newRow("clicks before the first second") << Round{"Оля", 3, 1, 0, 0, 0, "100", "\\d+", 11};
    }
    void roundEndShowsBoxThenResultsAndEntersTheTable()
    {
        QFETCH(Round, r);
        FormFixture fx;
        Form1 &f = fx.load();
        QString whileOpen;
        fx.dialogs.whileOpen = [&](const FakeDialogs::Shown &) {
            const QList<GameTimer *> timers{f.Timer1, f.Timer2, f.Timer3, f.Timer4};
            whileOpen += QString("%1 up, %2 on, results %3").arg(std::ranges::count_if(f.Image, shown))
                            .arg(std::ranges::count_if(timers, &GameTimer::isEnabled))
                            .arg(shown(f.Label1) || shown(f.PClick) || f.Command2->text() != "Пауза");
        };
        f.Nick = r.nick;
        f.HScroll1->setValue(r.level);
        f.command2Click();
        fx.random.draws = QList<float>(2 * r.hits, 0.5f) << 0.0f; // the last shows Image10
        for (int i = 0; i < r.hits; ++i) {
            f.Image[0]->show();
            f.targetClick(0);
        }
        for (int i = 0; i < r.misses; ++i)
            f.surfaceClick();
        for (int i = 0; i < r.seconds; ++i)
            f.timer2Tick();
        for (int i = 0; i < Form1::Targets - 1; ++i)
            f.Image[i]->show();
        f.appearanceTick();

        QCOMPARE(whileOpen, QStringLiteral("10 up, 0 on, results 0")); // one box, before the results
        QCOMPARE(fx.dialogs.shown[0].title + ": " + fx.dialogs.shown[0].text,
                 QString("Game Over: Игра окончена, %1 вы набрали %2 очков!").arg(r.nick).arg(r.score));
        QCOMPARE(fx.dialogs.shown[0].buttons, Dialogs::Buttons::Ok);
        QVERIFY(std::ranges::none_of(f.Image, shown));
        QVERIFY(std::ranges::all_of(QList<QWidget *>{f.HScroll1, f.Label19, f.PClick, f.Label1, f.Label3}, shown));
        QCOMPARE(f.Label1->text(), QString("Меткость %1'a = %2%").arg(r.nick, r.accuracy));
        const QRegularExpression perMinute("^Количество кликов в минуту = " + r.perMinute + "$");
        QVERIFY2(perMinute.match(f.Label3->text()).hasMatch(), qPrintable(f.Label3->text()));
        QCOMPARE(f.Command2->text(), QStringLiteral("Заново"));
        QCOMPARE(f.Text1->text() + "/" + f.Text2->text(), QString("%1/%2").arg(r.hits).arg(r.hits + r.misses));
        QCOMPARE(int(f.Place), r.place);
        const QStringList tags{"(ОЛ)", "(Л)", "(Н)", "(Т)", "(ОТ)"};
        for (int row = 0; row < Form1::Rows; ++row)
            QCOMPARE(f.NameP[row]->text() + " | " + f.ScoresP[row]->text(),
                     row == r.place ? QString("%1 %2 | %3").arg(r.nick, tags[r.level - 1]).arg(r.score)
                                    : QStringLiteral("<Пусто> | 0"));
    }
};

QTEST_MAIN(TestGameOver)
#include "tst_gameover.moc"
