// The end of a round, reached the way the game reaches it: the tick that shows the tenth target.

#include "doubles/formfixture.h"
#include "platform/gametimer.h"
#include "platform/targetpicture.h"

#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

static bool shown(const QWidget *w)
{
    return !w->isHidden();
}
// Hits on Image1, misses on the bare window, seconds on the clock; what the end shows.
struct Round {
    QString nick;
    int level, hits, misses, seconds, score;
    QString accuracy, rate, top, place;
};
Q_DECLARE_METATYPE(Round)

class TestGameOver : public QObject
{
    Q_OBJECT

private slots:
    void roundEndShowsBoxThenResultsAndEntersTheTable_data()
    {
        QTest::addColumn<Round>("r"); // place 11: not entered
        QTest::newRow("2 of 3") << Round{"Вася", 3, 2, 1, 60, 9, "66.6", "3", "Вася (Н) | 9", "0"};
        QTest::newRow("tagged") << Round{"Ян (ОТ)",           5,  2, 1, 60, 40, "66.6", "3",
                                         "Ян (ОТ) (ОТ) | 40", "0"};
        QTest::newRow("no clicks") << Round{"Петя", 5, 0, 0, 30, 0, "0", "0", "<Пусто> | 0", "11"};
    }
    void roundEndShowsBoxThenResultsAndEntersTheTable()
    {
        QFETCH(Round, r);
        FormFixture fx;
        Form1 &f = fx.load();
        QString whileOpen; // the box, targets up, timers on, whether any result is shown yet
        fx.dialogs.whileOpen = [&](const FakeDialogs::Shown &box) {
            whileOpen +=
                QString("%1|%2: %3|%4|%5|")
                    .arg(int(box.buttons))
                    .arg(box.title, box.text)
                    .arg(std::ranges::count_if(f.Image, shown))
                    .arg(f.Timer1->isEnabled() + f.Timer2->isEnabled() + f.Timer3->isEnabled()
                         + f.Timer4->isEnabled())
                + (shown(f.Label1) || shown(f.PClick) || f.Command2->text() != "Пауза" ? "results"
                                                                                       : "");
        };
        f.Nick = r.nick;
        f.HScroll1->setValue(r.level);
        f.command2Click();
        fx.random.draws = QList<float>(2 * r.hits, 0.5f) << 0.0f; // the last shows Image10
        for (int i = 0; i < r.hits + r.misses; ++i)
            i < r.hits ? f.targetClick(0) : f.surfaceClick();
        f.Seconds = qint16(r.seconds);
        for (int i = 0; i < Form1::Targets - 1; ++i)
            f.Image[i]->show();
        f.appearanceTick();

        QCOMPARE(whileOpen, QString("0|Game Over: Игра окончена, %1 вы набрали %2 очков!|10|0|")
                                .arg(r.nick)
                                .arg(r.score));
        QVERIFY(std::ranges::none_of(f.Image, shown)
                && std::ranges::all_of(
                    QList<QWidget *>{f.HScroll1, f.Label19, f.PClick, f.Label1, f.Label3}, shown));
        QCOMPARE(QStringList({f.Label1->text(), f.Label3->text(), f.Command2->text(),
                              f.NameP[0]->text() + " | " + f.ScoresP[0]->text(),
                              QString::number(f.Place)}),
                 QStringList({"Меткость " + r.nick + "'a = " + r.accuracy + "%",
                              "Количество кликов в минуту = " + r.rate, "Заново", r.top, r.place}));
    }
};

QTEST_MAIN(TestGameOver)
#include "tst_gameover.moc"
