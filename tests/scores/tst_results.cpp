#include "game/numberformat.h"
#include "scores/results.h"
#include "scores/toptable.h"

#include <QtTest>

class TestResults : public QObject
{
    Q_OBJECT

private slots:
    void scoreRoundsBaseHalfToEvenBeforeLevel()
    {
        // hits, clicks, seconds, level, score: base whole, 1.25, just below 11.5, ties 2.5/3.5, no
        // clicks
        const int rows[][5] = {{10, 10, 30, 3, 30}, {5, 8, 20, 1, 1}, {25, 25, 23, 1, 11},
                               {5, 5, 25, 1, 2},    {7, 7, 25, 1, 4}, {0, 0, 40, 3, 0}};
        for (const auto &r : rows)
            QCOMPARE(Results::finalScore(r[0], r[1], r[2], r[3]), r[4]);
    }
    void reportLinesCutFiguresInThePlayersLocale()
    {
        const NumberFormat en{QLocale(QLocale::English)}, de{QLocale(QLocale::German)};
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
        QCOMPARE(Results::gameOverText("Вася", 1234567),
                 "Игра окончена, Вася вы набрали 1234567 очков!");
    }
    void resultGoesBelowEqualScoresAndPushesLowerRowsDown()
    {
        const QList<int> empty(11, 0), falling{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
        // table, score, row, names by their old index (N the new one), scores after
        const struct {
            QList<int> scores;
            int score, row;
            QString names;
            QList<int> after;
        } rows[] = {{empty, 5, 0, "N 0 1 2 3 4 5 6 7 8 9", {5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
                    {{50, 40, 40, 30, 0, 0, 0, 0, 0, 0, 0},
                     40,
                     3,
                     "0 1 2 N 3 4 5 6 7 8 9",
                     {50, 40, 40, 40, 30, 0, 0, 0, 0, 0, 0}},
                    {falling, 2, 10, "0 1 2 3 4 5 6 7 8 9 N", {11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 2}},
                    {empty, 0, 11, "0 1 2 3 4 5 6 7 8 9 10", empty}};
        for (const auto &r : rows) {
            TopTable::Names names;
            TopTable::ScoreList table;
            for (int i = 0; i < TopTable::Rows; ++i)
                std::tie(names[i], table[i]) = std::pair(QString::number(i), r.scores[i]);
            QCOMPARE(TopTable::insertionRow(table, r.score), r.row);
            if (r.row < TopTable::Rows)
                TopTable::insert(names, table, r.row, QStringLiteral("N"), r.score);
            QCOMPARE(QStringList(names.cbegin(), names.cend()).join(u' '), r.names);
            QCOMPARE(QList<int>(table.cbegin(), table.cend()), r.after);
        }
    }
    void levelTagsFollowLevelAndStack()
    {
        const QStringList tags{" (ОЛ)", " (Л)", " (Н)", " (Т)", " (ОТ)"};
        for (int level = 1; level <= 5; ++level)
            QCOMPARE(TopTable::levelTag(level), tags[level - 1]);
        QCOMPARE("Вася (Н)" + TopTable::levelTag(2), "Вася (Н) (Л)");
    }
};

QTEST_GUILESS_MAIN(TestResults)
#include "tst_results.moc"
