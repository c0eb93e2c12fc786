#include "targets/pace.h"
#include "targets/placement.h"

#include <QtTest>
#include <cmath>

namespace {
const float JustBelowOne = std::nextafter(1.0f, 0.0f);
using Intervals = QList<qlonglong>; // empty: frozen above the level's limit
struct IntervalRow {
    int level, hits;
    Intervals intervals;
};
} // namespace

class TestTargetRules : public QObject
{
    Q_OBJECT

private slots:
    void intervalsShrinkUntilTheLevelsLimit()
    {
        const Intervals byHits[5][5] = {
            {{1050, 1000}, {950, 905}, {850, 810}, {750, 715}, {650, 620}},
            {{1050, 1000}, {850, 810}, {650, 620}, {450, 430}, {250, 240}},
            {{1050, 1000}, {750, 715}, {450, 430}, {150, 145}, {-150, -140}},
            {{1050, 1000}, {650, 620}, {250, 240}, {-150, -140}, {-550, -520}},
            {{1050, 1000}, {550, 525}, {50, 50}, {}, {}}};
        QList<IntervalRow> rows{{5, 6, {990, 944}}, {5, 101, {}},       {1, 500, {50, 50}},
                                {1, 501, {}},       {3, 175, {0, 3}},   {3, 176, {-6, -3}},
                                {2, 263, {-2, 1}},  {2, 264, {-6, -3}}, {4, 131, {2, 5}},
                                {4, 132, {-6, -3}}};
        for (int level = 1; level <= 5; ++level)
            for (int column = 0; column < 5; ++column)
                rows.append({level, 50 * column, byHits[level - 1][column]});
        for (const auto &[level, hits, intervals] : rows) {
            const auto actual = Pace::appearanceIntervals(hits, level);
            QVERIFY2((actual ? Intervals{actual->first, actual->second} : Intervals()) == intervals,
                     qPrintable(QStringLiteral("level %1, %2 hits").arg(level).arg(hits)));
        }
    }
    void timerIntervalTurnsNegativeIntoOneMillisecond()
    {
        const std::pair<long long, int> rows[] = {{-550, 1}, {-1, 1}, {0, 0}, {1, 1}, {1050, 1050}};
        for (const auto &[computed, interval] : rows)
            QVERIFY2(Pace::timerInterval(computed) == interval,
                     qPrintable(QString::number(computed)));
    }
    void hitMovesAndResizesTargetWithinRange()
    {
        const auto placed = [](int target, float r) {
            using namespace Placement;
            const int off = offsetFromAnchor(r), side = BaseSize + sizeChange(r);
            return QRect(Anchors.at(target).left - off, Anchors.at(target).top - off, side, side);
        };
        const int farthest[10][2] = {{360, 1200},  {360, 4560}, {2640, 1200}, {5160, 1320},
                                     {5520, 2880}, {0, 2760},   {1680, 2880}, {3720, 2760},
                                     {2640, 4560}, {4800, 4320}};
        for (int i = 0; i < 10; ++i) {
            const auto [left, top] = farthest[i];
            QCOMPARE(placed(i, 0.0f), QRect(left, top, 550, 550));
            QCOMPARE(placed(i, JustBelowOne), QRect(left + 959, top + 959, 201, 201));
        }
        // In double precision 960 * r and 350 * r fall just below 17 and 1.
        QCOMPARE(placed(0, 17.0f / 960.0f), QRect(377, 1217, 544, 544));
        QCOMPARE(placed(0, 1.0f / 350.0f), QRect(362, 1202, 549, 549));
    }
    void drawSelectsTarget()
    {
        // 0.7f is 7 in single precision
        const std::pair<float, int> rows[] = {
            {0.0f, 9}, {std::nextafter(0.1f, 0.0f), 9}, {0.1f, 0}, {0.7f, 6}, {JustBelowOne, 8}};
        for (const auto &[r, index] : rows)
            QCOMPARE(Placement::targetForDraw(r), index);
    }
    void seedIsDayNumberTimesWholeSecondsOfDay()
    {
        const QDate day(2026, 12, 6); // day 46362 after 30 December 1899
        QCOMPARE(Placement::seedValue(QDateTime(day, QTime(12, 0))), 23181.0);
        QCOMPARE(Placement::seedValue(QDateTime(day, QTime(12, 0, 0, 999))), 23181.0);
        QCOMPARE(Placement::seedValue(QDateTime(day, QTime(0, 0, 0, 500))), 0.0);
        QCOMPARE(Placement::seedValue(QDateTime(day, QTime(23, 59, 59))), 46361.463402777778);
    }
};

QTEST_GUILESS_MAIN(TestTargetRules)
#include "tst_targetrules.moc"
