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

// Command2's caption, which of Timer1..Timer4 run, and whether the help panel is shown.
static QString state(const Form1 &f)
{
    return f.Command2->text()
           + QString(" %1%2%3%4")
                 .arg(f.Timer1->isEnabled())
                 .arg(f.Timer2->isEnabled())
                 .arg(f.Timer3->isEnabled())
                 .arg(f.Timer4->isEnabled())
           + (f.Frame2->isHidden() ? "" : " help");
}
static QString topRow(const Form1 &f)
{
    return f.NameP[0]->text() + " | " + f.ScoresP[0]->text();
}

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
        DiskFiles disk;
        {
            FormFixture fx(&disk);
            Form1 &f = fx.load();
            fx.dialogs.promptAnswers << QStringLiteral("Игрок");
            f.command1Click();
            f.HScroll1->setValue(4);
            // Start, pause (a click then counts nothing), resume, help on and off.
            const std::pair<void (Form1::*)(), const char *> steps[] = {
                {&Form1::command2Click, "Пауза 1111"},
                {&Form1::command2Click, "Продолжить 0000"},
                {&Form1::surfaceClick, "Продолжить 0000"},
                {&Form1::command2Click, "Пауза 1111"},
                {&Form1::command4Click, "Пауза 0000 help"},
                {&Form1::command4Click, "Пауза 1111"}};
            for (const auto &[press, expected] : steps) {
                (f.*press)();
                QCOMPARE(state(f), QString::fromUtf8(expected));
            }
            // Ticks show Image1 and Image2 twice; hits on them and one miss; twenty seconds.
            fx.random.draws = {0.15f, 0.0f, 0.0f, 0.25f, 0.5f, 0.5f, 0.25f, 0.5f, 0.5f};
            for (int target : {0, -1, 1, 1})
                target < 0 ? f.surfaceClick() : (f.appearanceTick(), f.targetClick(target));
            for (int s = 0; s < 20; ++s)
                f.timer2Tick();
            for (int n = 0; n < Form1::Targets;
                 ++n) { // the tick that shows the tenth ends the round
                fx.random.draws = {0.05f + 0.1f * n};
                f.appearanceTick();
                QCOMPARE(fx.dialogs.shown.size(), n < Form1::Targets - 1 ? 1 : 2);
            }
            // 3 hits, 4 clicks, 20 s, level 4: base 3 * 10 * 0.75 / 10 = 2.25, score 4 * 2.
            const FakeDialogs::Shown &box = fx.dialogs.shown[1];
            QCOMPARE(QStringList({box.title + ": " + box.text, topRow(f), f.Text1->text(),
                                  f.Text2->text(), f.Label1->text(), f.Label3->text()}),
                     QStringList({"Game Over: Игра окончена, Игрок вы набрали 8 очков!",
                                  "Игрок (Т) | 8", "3", "4", "Меткость Игрок'a = 75%",
                                  "Количество кликов в минуту = 12"}));
            fx.close();
            QCOMPARE(fx.dialogs.shown.size(), 2); // closing asks nothing
        }
        FormFixture next(&disk);
        Form1 &f = next.load();
        QCOMPARE(topRow(f) + ", " + f.Label19->text(),
                 QStringLiteral("Игрок (Т) | 8, Норма")); // level reset
        QVERIFY(next.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestWholeGame)
#include "tst_wholegame.moc"
