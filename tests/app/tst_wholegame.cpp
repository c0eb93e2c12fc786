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
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

bool shown(const QWidget *w)
{
    return !w->isHidden();
}

bool timersOn(const Form1 &f)
{
    return f.Timer1->isEnabled() && f.Timer2->isEnabled() && f.Timer3->isEnabled()
           && f.Timer4->isEnabled();
}

bool timersOff(const Form1 &f)
{
    return !f.Timer1->isEnabled() && !f.Timer2->isEnabled() && !f.Timer3->isEnabled()
           && !f.Timer4->isEnabled();
}

// The table as the labels show it, one "name | score" per row.
QStringList table(const Form1 &f)
{
    QStringList rows;
    for (int row = 0; row < Form1::Rows; ++row)
        rows << f.NameP[row]->text() + " | " + f.ScoresP[row]->text();
    return rows;
}

// A fresh table with `first` in row 0.
QStringList freshTableWith(const QString &first)
{
    QStringList rows(Form1::Rows, QStringLiteral("<Пусто> | 0"));
    rows[0] = first;
    return rows;
}

} // namespace

class TestWholeGame : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_previousDir;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_previousDir = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
    }
    void cleanup() { QDir::setCurrent(m_previousDir); }

    void playedRoundIsInTheTableAfterRestartingTheProgram()
    {
        DiskFiles disk;
        const QDir dir(m_dir.path());
        const QStringList onlyScoreFile{QStringLiteral("Scores.dat")};
        {
            FormFixture fx(&disk);
            Form1 &f = fx.load();
            QCOMPARE(table(f), freshTableWith(QStringLiteral("<Пусто> | 0")));
            QCOMPARE(dir.entryList(QDir::Files), onlyScoreFile);

            fx.dialogs.promptAnswers << QStringLiteral("Игрок");
            f.command1Click();
            QCOMPARE(f.Nick, QStringLiteral("Игрок"));
            f.HScroll1->setValue(4);
            QCOMPARE(f.Label19->text(), QStringLiteral("Тяжело"));

            f.command2Click();
            QCOMPARE(f.Command2->text(), QStringLiteral("Пауза"));
            QVERIFY(timersOn(f));
            QVERIFY(!shown(f.HScroll1) && !shown(f.Label19) && !shown(f.PClick));

            // A tick shows Image1, the player hits it and misses once.
            fx.random.draws = {0.15f, 0.0f, 0.0f};
            f.appearanceTick();
            QVERIFY(shown(f.Image[0]));
            f.targetClick(0);
            QVERIFY(!shown(f.Image[0]));
            f.surfaceClick();
            for (int s = 0; s < 12; ++s)
                f.timer2Tick();
            QCOMPARE(f.Label2->text(), QStringLiteral("Прошло времени: 00:12"));

            // Paused: nothing counts, the targets take no clicks.
            f.command2Click();
            QCOMPARE(f.Command2->text(), QStringLiteral("Продолжить"));
            QVERIFY(timersOff(f));
            f.surfaceClick();
            f.command2Click();
            QVERIFY(timersOn(f));

            // Help freezes the round and lets it go on afterwards.
            f.command4Click();
            QVERIFY(shown(f.Frame2));
            QVERIFY(timersOff(f));
            f.command4Click();
            QVERIFY(!shown(f.Frame2));
            QVERIFY(timersOn(f));

            // Two more hits on Image2, eight more seconds.
            for (int hit = 0; hit < 2; ++hit) {
                fx.random.draws = {0.25f, 0.5f, 0.5f};
                f.appearanceTick();
                f.targetClick(1);
            }
            for (int s = 0; s < 8; ++s)
                f.timer2Tick();
            QCOMPARE(f.Text1->text(), QStringLiteral("3"));
            QCOMPARE(f.Text2->text(), QStringLiteral("4"));
            QCOMPARE(f.Timer3->interval(), 1050 - 2 * 2 * 4); // the pace set for two hits
            QCOMPARE(f.Timer4->interval(), 1000 - 15);

            // Ticks bring up all ten targets; the one that shows the tenth ends the round.
            for (int n = 0; n < Form1::Targets; ++n) {
                QVERIFY(fx.dialogs.shown.size() == 1); // only the nickname prompt so far
                fx.random.draws = {0.05f + 0.1f * n};
                f.appearanceTick();
            }
            // 3 hits, 4 clicks, 20 s, level 4: base 3 * 10 * 0.75 / 10 = 2.25, score 4 * 2.
            QCOMPARE(fx.dialogs.shown.size(), 2);
            QCOMPARE(fx.dialogs.shown[1].title, QStringLiteral("Game Over"));
            QCOMPARE(fx.dialogs.shown[1].text, QStringLiteral("Игра окончена, Игрок вы набрали 8 очков!"));
            QVERIFY(timersOff(f));
            QCOMPARE(f.Label1->text(), QStringLiteral("Меткость Игрок'a = 75%"));
            QCOMPARE(f.Label3->text(), QStringLiteral("Количество кликов в минуту = 12"));
            QVERIFY(shown(f.Label1) && shown(f.Label3) && shown(f.HScroll1) && shown(f.PClick));
            QCOMPARE(f.Command2->text(), QStringLiteral("Заново"));
            QCOMPARE(table(f), freshTableWith(QStringLiteral("Игрок (Т) | 8")));

            fx.close();
            QCOMPARE(fx.dialogs.shown.size(), 2); // closing asks nothing
        }
        QCOMPARE(dir.entryList(QDir::Files), onlyScoreFile);

        FormFixture next(&disk);
        Form1 &f = next.load();
        QCOMPARE(table(f), freshTableWith(QStringLiteral("Игрок (Т) | 8")));
        QVERIFY(next.dialogs.shown.isEmpty());
        QCOMPARE(f.Label19->text(), QStringLiteral("Норма")); // the level is not kept
    }
};

QTEST_MAIN(TestWholeGame)
#include "tst_wholegame.moc"
