#include "platform/mixingrandom.h"
#include "targets/placement.h"

#include <QtTest>

class TestMixingRandom : public QObject
{
    Q_OBJECT
    MixingRandom m_random;

private slots:
    void drawsSpreadEvenlyBelowOne()
    {
        QList<int> bins(10);
        for (int i = 0; i < 1'000'000; ++i) {
            const float r = m_random.draw();
            QVERIFY(r >= 0.0f && r < 1.0f && ++bins[int(r * 10.0f)] > 0);
        }
        for (const int count : bins) // one standard deviation is 300 draws
            QVERIFY2(qAbs(count - 100'000) <= 1000, qPrintable(QString::number(count)));
    }
    void reseedsWithOneValueStillReachEveryTarget()
    {
        QSet<int> shown; // a reseed that repeated the draws would show one target only
        for (int tick = 0; tick < 200; ++tick) {
            m_random.reseed(23181.0);
            shown.insert(Placement::targetForDraw(m_random.draw()));
        }
        QCOMPARE(shown.size(), 10);
    }
};

QTEST_GUILESS_MAIN(TestMixingRandom)
#include "tst_mixingrandom.moc"
