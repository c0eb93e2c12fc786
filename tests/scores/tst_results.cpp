#include "platform/localenumbertext.h"
#include "scores/results.h"
#include "scores/toptable.h"

#include <QtTest>

class TestResults : public QObject
{
    Q_OBJECT

private slots:
    void scoreRoundsBaseHalfToEvenBeforeLevel_data()
    {
        QTest::addColumn<QList<int>>("round"); // hits, clicks, seconds, level
        QTest::addColumn<int>("score");
        QTest::newRow("whole base at level 3") << QList<int>{10, 10, 30, 3} << 30;
        QTest::newRow("base 1.25 rounds down") << QList<int>{5, 8, 20, 1} << 1;
        QTest::newRow("base just below 11.5") << QList<int>{25, 25, 23, 1} << 11;
        QTest::newRow("tie 2.5 goes to even 2") << QList<int>{5, 5, 25, 1} << 2;
        QTest::newRow("tie 3.5 goes to even 4") << QList<int>{7, 7, 25, 1} << 4;
        QTest::newRow("no clicks") << QList<int>{0, 0, 40, 3} << 0;
    }
    void scoreRoundsBaseHalfToEvenBeforeLevel()
    {
        QFETCH(QList<int>, round);
        QTEST(Results::finalScore(round[0], round[1], round[2], round[3]), "score");
    }
    void reportLinesCutFiguresInThePlayersLocale()
    {
        const LocaleNumberText en{QLocale(QLocale::English)}, de{QLocale(QLocale::German)};
        const QString accuracy = QStringLiteral("Меткость Вася'a = %1%");
        QCOMPARE(Results::accuracyLine("Вася", 2, 3, en), accuracy.arg("66.6"));
        QCOMPARE(Results::accuracyLine("Вася", 2, 3, de), accuracy.arg("66,6"));
        QCOMPARE(Results::accuracyLine("Вася", 1, 3, en), accuracy.arg("33.3"));
        QCOMPARE(Results::accuracyLine("Вася", 1, 1, de), accuracy.arg("100"));
        QCOMPARE(Results::accuracyLine("Вася", 0, 0, en), accuracy.arg("0"));
        const QString perMinute = QStringLiteral("Количество кликов в минуту = %1");
        QCOMPARE(Results::clicksPerMinuteLine(7, 9, en), perMinute.arg("46"));
        QCOMPARE(Results::clicksPerMinuteLine(41, 20, en), perMinute.arg("122"));
        QCOMPARE(Results::clicksPerMinuteLine(3, 0, en), perMinute.arg("180"));
        QCOMPARE(Results::gameOverText("Вася", 1234567), "Игра окончена, Вася вы набрали 1234567 очков!");
    }
    void resultGoesBelowEqualScoresAndPushesLowerRowsDown_data()
    {
        QTest::addColumn<QList<int>>("scores");
        QTest::addColumn<int>("score");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("names"); // rows by their old index, N the new one
        QTest::addColumn<QList<int>>("after");
        const QList<int> empty(11, 0), falling{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
        QTest::newRow("fresh table") << empty << 5 << 0 << "N 0 1 2 3 4 5 6 7 8 9"
                                     << QList<int>{5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        QTest::newRow("below equal scores") << QList<int>{50, 40, 40, 30, 0, 0, 0, 0, 0, 0, 0} << 40
                                            << 3 << "0 1 2 N 3 4 5 6 7 8 9"
                                            << QList<int>{50, 40, 40, 40, 30, 0, 0, 0, 0, 0, 0};
        QTest::newRow("row 10 moves nothing") << falling << 2 << 10 << "0 1 2 3 4 5 6 7 8 9 N"
                                              << QList<int>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 2};
        QTest::newRow("zero never enters") << empty << 0 << 11 << "0 1 2 3 4 5 6 7 8 9 10" << empty;
    }
    void resultGoesBelowEqualScoresAndPushesLowerRowsDown()
    {
        QFETCH(QList<int>, scores);
        QFETCH(int, score);
        QFETCH(int, row);
        TopTable::Names names;
        TopTable::ScoreList table;
        for (int i = 0; i < TopTable::Rows; ++i)
            std::tie(names[i], table[i]) = std::pair(QString::number(i), scores[i]);
        QCOMPARE(TopTable::insertionRow(table, score), row);
        if (row < TopTable::Rows)
            TopTable::insert(names, table, row, QStringLiteral("N"), score);
        QTEST(QStringList(names.cbegin(), names.cend()).join(u' '), "names");
        QTEST(QList<int>(table.cbegin(), table.cend()), "after");
    }
    void levelTagsFollowLevelAndStack()
    {
        for (int level = 1; level <= 5; ++level)
            QCOMPARE(TopTable::levelTag(level), QStringList({" (ОЛ)", " (Л)", " (Н)", " (Т)", " (ОТ)"})[level - 1]);
        QCOMPARE("Вася (Н)" + TopTable::levelTag(2), "Вася (Н) (Л)");
    }
};

QTEST_GUILESS_MAIN(TestResults)
#include "tst_results.moc"
