#include "targets/placement.h"

#include <QtTest>
#include <cmath>

namespace {

const float JustBelowOne = std::nextafter(1.0f, 0.0f);

} // namespace

class TestPlacement : public QObject
{
    Q_OBJECT

private slots:
    void hitPlacesTargetOnDiagonalAboveAnchor_data();
    void hitPlacesTargetOnDiagonalAboveAnchor();
    void hitResizesTargetWithinRange_data();
    void hitResizesTargetWithinRange();
    void tickDrawSelectsTarget_data();
    void tickDrawSelectsTarget();
    void seedFollowsDayAndWholeSeconds_data();
    void seedFollowsDayAndWholeSeconds();
};

void TestPlacement::hitPlacesTargetOnDiagonalAboveAnchor_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<float>("r1");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");

    // Both ends of the range each target can land in: r1 = 0 moves it 960 twips, r1 just
    // below 1 moves it 1 twip.
    struct Range {
        int lowLeft, lowTop, highLeft, highTop;
    };
    const Range ranges[10] = {
        {360, 1200, 1319, 2159},  {360, 4560, 1319, 5519},  {2640, 1200, 3599, 2159},
        {5160, 1320, 6119, 2279}, {5520, 2880, 6479, 3839}, {0, 2760, 959, 3719},
        {1680, 2880, 2639, 3839}, {3720, 2760, 4679, 3719}, {2640, 4560, 3599, 5519},
        {4800, 4320, 5759, 5279},
    };
    for (int i = 0; i < 10; ++i) {
        const Range &r = ranges[i];
        QTest::addRow("Image%d farthest", i + 1) << i << 0.0f << r.lowLeft << r.lowTop;
        QTest::addRow("Image%d nearest", i + 1) << i << JustBelowOne << r.highLeft << r.highTop;
    }
    // 960 * r1 is exactly 17 in single precision, just below it in double.
    QTest::newRow("single-precision product") << 0 << 17.0f / 960.0f << 1320 - 943 << 2160 - 943;
}

void TestPlacement::hitPlacesTargetOnDiagonalAboveAnchor()
{
    QFETCH(int, target);
    QFETCH(float, r1);
    QFETCH(int, left);
    QFETCH(int, top);

    const Placement::Anchor anchor = Placement::Anchors.at(target);
    const int d = Placement::offsetFromAnchor(r1);
    QCOMPARE(anchor.left - d, left);
    QCOMPARE(anchor.top - d, top);
}

void TestPlacement::hitResizesTargetWithinRange_data()
{
    QTest::addColumn<float>("r2");
    QTest::addColumn<int>("side");

    QTest::newRow("largest") << 0.0f << 550;
    QTest::newRow("middle") << 0.5f << 375;
    QTest::newRow("smallest") << JustBelowOne << 201;
    QTest::newRow("single-precision product") << 1.0f / 350.0f << 549;
}

void TestPlacement::hitResizesTargetWithinRange()
{
    QFETCH(float, r2);
    QFETCH(int, side);
    QCOMPARE(Placement::BaseSize + Placement::sizeChange(r2), side);
}

void TestPlacement::tickDrawSelectsTarget_data()
{
    QTest::addColumn<float>("r");
    QTest::addColumn<int>("index");

    QTest::newRow("zero shows Image10") << 0.0f << 9;
    QTest::newRow("just below a tenth shows Image10") << std::nextafter(0.1f, 0.0f) << 9;
    QTest::newRow("a tenth shows Image1") << 0.1f << 0;
    QTest::newRow("middle shows Image5") << 0.5f << 4;
    QTest::newRow("0.7f rounds up to Image7") << 0.7f << 6;
    QTest::newRow("just below one shows Image9") << JustBelowOne << 8;
}

void TestPlacement::tickDrawSelectsTarget()
{
    QFETCH(float, r);
    QFETCH(int, index);
    QCOMPARE(Placement::targetForDraw(r), index);
}

void TestPlacement::seedFollowsDayAndWholeSeconds_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<double>("seed");

    const QDate day(2026, 12, 6); // OLE day 46362
    QTest::newRow("noon") << QDateTime(day, QTime(12, 0)) << 23181.0;
    QTest::newRow("milliseconds ignored") << QDateTime(day, QTime(12, 0, 0, 999)) << 23181.0;
    QTest::newRow("midnight") << QDateTime(day, QTime(0, 0)) << 0.0;
    QTest::newRow("first second after midnight") << QDateTime(day, QTime(0, 0, 0, 500)) << 0.0;
    QTest::newRow("quarter day in 2000") << QDateTime(QDate(2000, 1, 1), QTime(6, 0)) << 9131.5;
    QTest::newRow("last second of a day")
        << QDateTime(day, QTime(23, 59, 59)) << 46361.463402777778;
    QTest::newRow("OLE epoch") << QDateTime(QDate(1899, 12, 30), QTime(18, 0)) << 0.0;
}

void TestPlacement::seedFollowsDayAndWholeSeconds()
{
    QFETCH(QDateTime, now);
    QFETCH(double, seed);
    QCOMPARE(Placement::seedValue(now), seed);
}

QTEST_GUILESS_MAIN(TestPlacement)
#include "tst_placement.moc"
