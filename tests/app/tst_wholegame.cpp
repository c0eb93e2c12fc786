// One whole game as a player plays it, on the real disk: first start, nickname, a round with hits,
// misses, a pause and help, its end, the close, and the next start that shows the result.

#include "doubles/formfixture.h"
#include "platform/diskfiles.h"
#include "platform/gametimer.h"
#include "platform/targetpicture.h"

#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool shown(const QWidget *w) { return !w->isHidden(); }

int timersOn(const Form1 &f)
{
    return f.Timer1->isEnabled() + f.Timer2->isEnabled() + f.Timer3->isEnabled() + f.Timer4->isEnabled();
}

// The table as the labels show it, one "name | score" per row, against a fresh one with `first` on top.
void compareTable(const Form1 &f, const QString &first)
{
    QStringList rows, expected(Form1::Rows, QStringLiteral("<Пусто> | 0"));
    for (int row = 0; row < Form1::Rows; ++row)
        rows << f.NameP[row]->text() + " | " + f.ScoresP[row]->text();
    expected[0] = first;
    QCOMPARE(rows, expected);
}

} // namespace

class TestWholeGame : public QObject
{
    Q_OBJECT

private slots:
    void playedRoundIsInTheTableAfterRestartingTheProgram()
    {
        QTemporaryDir temp;
        const QString previousDir = QDir::currentPath();
        QVERIFY(temp.isValid() && QDir::setCurrent(temp.path()));
        const auto restoreDir = qScopeGuard([&] { QDir::setCurrent(previousDir); });
        const QStringList onlyScoreFile{QStringLiteral("Scores.dat")};
        DiskFiles disk;
        {
            FormFixture fx(&disk);
            Form1 &f = fx.load();
            compareTable(f, QStringLiteral("<Пусто> | 0"));
            QCOMPARE(QDir().entryList(QDir::Files), onlyScoreFile);

            fx.dialogs.promptAnswers << QStringLiteral("Игрок");
            f.command1Click();
            f.HScroll1->setValue(4);
            f.command2Click();
            QCOMPARE(f.Command2->text(), QStringLiteral("Пауза"));
            QCOMPARE(timersOn(f), 4);

            // A tick shows Image1, the player hits it and misses once.
            fx.random.draws = {0.15f, 0.0f, 0.0f};
            f.appearanceTick();
            QVERIFY(shown(f.Image[0]));
            f.targetClick(0);
            f.surfaceClick();
            for (int s = 0; s < 12; ++s)
                f.timer2Tick();

            // Paused, a click counts nothing; help freezes the round too.
            f.command2Click();
            QCOMPARE(timersOn(f), 0);
            f.surfaceClick();
            f.command2Click();
            QCOMPARE(timersOn(f), 4);
            f.command4Click();
            QVERIFY(shown(f.Frame2));
            QCOMPARE(timersOn(f), 0);
            f.command4Click();
            QVERIFY(!shown(f.Frame2));
            QCOMPARE(timersOn(f), 4);

            // Two more hits on Image2, eight more seconds.
            for (int hit = 0; hit < 2; ++hit) {
                fx.random.draws = {0.25f, 0.5f, 0.5f};
                f.appearanceTick();
                f.targetClick(1);
            }
            for (int s = 0; s < 8; ++s)
                f.timer2Tick();
            QCOMPARE(f.Text1->text() + "/" + f.Text2->text(), QStringLiteral("3/4"));

            // Ticks bring up all ten targets; the one that shows the tenth ends the round.
            for (int n = 0; n < Form1::Targets; ++n) {
                QCOMPARE(fx.dialogs.shown.size(), 1); // only the nickname prompt so far
                fx.random.draws = {0.05f + 0.1f * n};
                f.appearanceTick();
            }
            // 3 hits, 4 clicks, 20 s, level 4: base 3 * 10 * 0.75 / 10 = 2.25, score 4 * 2.
            QCOMPARE(fx.dialogs.shown.value(1).title + ": " + fx.dialogs.shown.value(1).text,
                     QStringLiteral("Game Over: Игра окончена, Игрок вы набрали 8 очков!"));
            QCOMPARE(f.Label1->text(), QStringLiteral("Меткость Игрок'a = 75%"));
            QCOMPARE(f.Label3->text(), QStringLiteral("Количество кликов в минуту = 12"));
            compareTable(f, QStringLiteral("Игрок (Т) | 8"));
            fx.close();
            QCOMPARE(fx.dialogs.shown.size(), 2); // the prompt and the box; closing asks nothing
        }
        QCOMPARE(QDir().entryList(QDir::Files), onlyScoreFile);

        FormFixture next(&disk);
        Form1 &f = next.load();
        compareTable(f, QStringLiteral("Игрок (Т) | 8"));
        QVERIFY(next.dialogs.shown.isEmpty());
        QCOMPARE(f.Label19->text(), QStringLiteral("Норма")); // the level is not kept
    }
};

QTEST_MAIN(TestWholeGame)
#include "tst_wholegame.moc"
