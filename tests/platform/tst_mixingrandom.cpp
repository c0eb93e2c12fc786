#include "platform/mixingrandom.h"
#include "targets/placement.h"

#include <QtTest>

class TestMixingRandom : public QObject
{
    Q_OBJECT

private slots:
    void drawsSpreadEvenlyBelowOne()
    {
        MixingRandom random;
        QList<int> bins(10);
        for (int i = 0; i < 1'000'000; ++i) {
            const float r = random.draw();
            QVERIFY(r >= 0.0f && r < 1.0f);
            ++bins[int(r * 10.0f)];
        }
        // One standard deviation per bin is 300 draws.
        for (int bin = 0; bin < 10; ++bin)
            QVERIFY2(qAbs(bins[bin] - 100'000) <= 1000, qPrintable(QString::number(bins[bin])));
    }
    void reseedingWithUsedSeedDoesNotRepeat()
    {
        MixingRandom random;
        random.reseed(23181.0);
        const QList<float> earlier{random.draw(), random.draw(), random.draw()};
        random.reseed(23181.0);
        QVERIFY(earlier != QList<float>({random.draw(), random.draw(), random.draw()}));
    }
    void sameSecondReseedsStillReachEveryTarget()
    {
        MixingRandom random;
        QSet<int> shown;
        for (int tick = 0; tick < 200; ++tick) {
            random.reseed(23181.0);
            shown.insert(Placement::targetForDraw(random.draw()));
        }
        QCOMPARE(shown.size(), 10);
    }
};

QTEST_GUILESS_MAIN(TestMixingRandom)
#include "tst_mixingrandom.moc"
