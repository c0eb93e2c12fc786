// Two hundred whole rounds in one run, as a long evening of play. It looks for faults that only
// build up over many rounds (leaks, stale state, a table that drifts); in the sanitizer build
// every memory error and, at exit, every leak fails it. It measures no time.

#include "doubles/formfixture.h"
#include "platform/mixingrandom.h"
#include "platform/targetpicture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void twoHundredRoundsEachEndAndEnterTheTable()
    {
        MixingRandom draws;
        FormFixture fx(nullptr, &draws);
        Form1 &f = fx.load();
        fx.enterNick(QStringLiteral("Вася"));
        for (int round = 1; round <= 200; ++round) {
            fx.click(f.Command2);
            // Hits for the first five seconds, then the targets are left to fill the board.
            for (int halfSeconds = 0; f.Command2->text() == QStringLiteral("Пауза");
                 ++halfSeconds) {
                QVERIFY2(halfSeconds < 2000, qPrintable(QString("round %1 never ends").arg(round)));
                fx.wait(500);
                for (TargetPicture *target : f.Image) {
                    if (halfSeconds < 10 && target->isVisible() && target->isEnabled()) {
                        fx.click(target);
                        break;
                    }
                }
            }
            QCOMPARE(f.Command2->text(), QStringLiteral("Заново"));
            QVERIFY(f.Text1->text().toInt() > 0);
        }
        QCOMPARE(fx.dialogs.shown.count(), 201); // the prompt and one "Game Over" per round
        QVERIFY(f.NameP[10]->text() != QStringLiteral("<Пусто>"));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
