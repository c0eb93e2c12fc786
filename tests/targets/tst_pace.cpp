#include "targets/pace.h"

#include <QtTest>

using Pace::Intervals;

class TestPace : public QObject
{
    Q_OBJECT

private slots:
    void intervalsShrinkWithHitsAndLevel_data();
    void intervalsShrinkWithHitsAndLevel();
    void intervalsFreezeAboveSpeedUpLimit_data();
    void intervalsFreezeAboveSpeedUpLimit();
    void timerIntervalGuardsComputedValues_data();
    void timerIntervalGuardsComputedValues();
    void levelsHaveNamesAndLimits_data();
    void levelsHaveNamesAndLimits();
};

void TestPace::intervalsShrinkWithHitsAndLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("hits");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");

    const int hitCounts[] = {0, 50, 100, 150, 200};
    const int expected[5][5][2] = {
        {{1050, 1000}, {950, 905}, {850, 810}, {750, 715}, {650, 620}},
        {{1050, 1000}, {850, 810}, {650, 620}, {450, 430}, {250, 240}},
        {{1050, 1000}, {750, 715}, {450, 430}, {150, 145}, {-150, -140}},
        {{1050, 1000}, {650, 620}, {250, 240}, {-150, -140}, {-550, -520}},
        {{1050, 1000}, {550, 525}, {50, 50}}, // level 5 stops changing above 100 hits
    };
    for (int level = 1; level <= 5; ++level) {
        for (int column = 0; column < 5; ++column) {
            const int hits = hitCounts[column];
            if (level == 5 && hits > 100)
                continue;
            const int(&pair)[2] = expected[level - 1][column];
            QTest::addRow("level %d, %d hits", level, hits) << level << hits << pair[0] << pair[1];
        }
    }
    // (6 * 1.9) * 5 is just below 57 in double precision.
    QTest::newRow("level 5, 6 hits") << 5 << 6 << 990 << 944;
    QTest::newRow("level 1 at its limit") << 1 << 500 << 50 << 50;
    QTest::newRow("level 3, first reaches 0") << 3 << 175 << 0 << 3;
    QTest::newRow("level 3, both negative") << 3 << 176 << -6 << -3;
    QTest::newRow("level 2, first negative") << 2 << 263 << -2 << 1;
    QTest::newRow("level 2, both negative") << 2 << 264 << -6 << -3;
    QTest::newRow("level 4, last positive") << 4 << 131 << 2 << 5;
    QTest::newRow("level 4, both negative") << 4 << 132 << -6 << -3;
}

void TestPace::intervalsShrinkWithHitsAndLevel()
{
    QFETCH(int, level);
    QFETCH(int, hits);
    QFETCH(int, first);
    QFETCH(int, second);

    const std::optional<Intervals> intervals = Pace::appearanceIntervals(hits, level);
    QVERIFY(intervals.has_value());
    QCOMPARE(intervals->first, first);
    QCOMPARE(intervals->second, second);
}

void TestPace::intervalsFreezeAboveSpeedUpLimit_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("hits");
    QTest::addColumn<bool>("changes");

    QTest::newRow("level 5 at 100") << 5 << 100 << true;
    QTest::newRow("level 5 at 101") << 5 << 101 << false;
    QTest::newRow("level 1 at 500") << 1 << 500 << true;
    QTest::newRow("level 1 at 501") << 1 << 501 << false;
    QTest::newRow("level 4 at 201") << 4 << 201 << false;
}

void TestPace::intervalsFreezeAboveSpeedUpLimit()
{
    QFETCH(int, level);
    QFETCH(int, hits);
    QFETCH(bool, changes);
    QCOMPARE(Pace::appearanceIntervals(hits, level).has_value(), changes);
}

void TestPace::timerIntervalGuardsComputedValues_data()
{
    QTest::addColumn<qlonglong>("computed");
    QTest::addColumn<int>("interval");

    QTest::newRow("far below zero") << -550LL << 1;
    QTest::newRow("just below zero") << -1LL << 1;
    QTest::newRow("zero stops the timer") << 0LL << 0;
    QTest::newRow("smallest tick") << 1LL << 1;
    QTest::newRow("start of a round") << 1050LL << 1050;
    QTest::newRow("largest interval") << 65535LL << 65535;
    QTest::newRow("above the range") << 70000LL << 65535;
}

void TestPace::timerIntervalGuardsComputedValues()
{
    QFETCH(qlonglong, computed);
    QFETCH(int, interval);
    QCOMPARE(Pace::timerInterval(computed), interval);
}

void TestPace::levelsHaveNamesAndLimits_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("limit");

    QTest::newRow("very easy") << 1 << "Очень легко" << 500;
    QTest::newRow("easy") << 2 << "Легко" << 400;
    QTest::newRow("normal") << 3 << "Норма" << 300;
    QTest::newRow("hard") << 4 << "Тяжело" << 200;
    QTest::newRow("very hard") << 5 << "Очень тяжело" << 100;
}

void TestPace::levelsHaveNamesAndLimits()
{
    QFETCH(int, level);
    QFETCH(QString, name);
    QFETCH(int, limit);
    QCOMPARE(Pace::levelName(level), name);
    QCOMPARE(int(Pace::speedUpLimit(level)), limit);
}

QTEST_GUILESS_MAIN(TestPace)
#include "tst_pace.moc"
