// Two hundred whole rounds in one run, as a long evening of play. It looks for faults that only
// build up over many rounds (leaks, stale state, a table that drifts); in the sanitizer build
// every memory error and, at exit, every leak fails it. It measures no time.

#include "doubles/formfixture.h"
#include "platform/mixingrandom.h"

class TestSoak : public QObject
{
    Q_OBJECT

private slots:
    void twoHundredRoundsEachEndAndEnterTheTable()
    {
        MixingRandom draws;
        FormFixture fx(&draws);
        Form1 &f = fx.load();
        fx.enterNick(QStringLiteral("Вася"));
        for (int round = 1; round <= 200; ++round) {
            fx.click(f.Command2);
            // Every half second for five seconds every target shown is hit; then the targets
            // are left to fill the board and end the round.
            for (int halfSecond = 0; halfSecond < 10; ++halfSecond) {
                fx.wait(500);
                for (QWidget *target : f.Image) {
                    if (target->isVisible())
                        fx.click(target);
                }
            }
            fx.wait(600000);
        }
        QCOMPARE(fx.dialogs.shown.count(), 201); // the prompt and one "Game Over" per round
        QVERIFY(f.NameP[10]->text() != QStringLiteral("<Пусто>"));
    }
};

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
