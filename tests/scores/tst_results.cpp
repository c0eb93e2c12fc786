#include "platform/localenumbertext.h"
#include "scores/results.h"
#include "scores/toptable.h"

#include <QtTest>
#include <limits>

class TestResults : public QObject
{
    Q_OBJECT

private slots:
    void scoreRoundsBaseHalfToEvenBeforeLevel_data();
    void scoreRoundsBaseHalfToEvenBeforeLevel();
    void accuracyIsCutToOneDecimalInLocale_data();
    void accuracyIsCutToOneDecimalInLocale();
    void clicksPerMinuteIsCut_data();
    void clicksPerMinuteIsCut();
    void gameOverTextNamesPlayerAndScore();
    void resultGoesBelowEqualScores_data();
    void resultGoesBelowEqualScores();
    void insertionMovesLowerRowsDown_data();
    void insertionMovesLowerRowsDown();
    void levelTagsFollowLevel_data();
    void levelTagsFollowLevel();
};

void TestResults::scoreRoundsBaseHalfToEvenBeforeLevel_data()
{
    QTest::addColumn<double>("hits");
    QTest::addColumn<double>("clicks");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<int>("level");
    QTest::addColumn<int>("score");

    QTest::newRow("whole base at level 3") << 10.0 << 10.0 << 30 << 3 << 30;
    QTest::newRow("base 1.25 rounds down") << 5.0 << 8.0 << 20 << 1 << 1;
    QTest::newRow("base just below 11.5") << 25.0 << 25.0 << 23 << 1 << 11;
    QTest::newRow("tie 2.5 goes to even 2") << 5.0 << 5.0 << 25 << 1 << 2;
    QTest::newRow("tie 3.5 goes to even 4") << 7.0 << 7.0 << 25 << 1 << 4;
    QTest::newRow("tie rounded before level") << 5.0 << 5.0 << 20 << 2 << 4;
    QTest::newRow("no clicks") << 0.0 << 0.0 << 40 << 3 << 0;
    QTest::newRow("saturates") << 1e9 << 1e9 << 32767 << 5 << std::numeric_limits<int>::max();
}

void TestResults::scoreRoundsBaseHalfToEvenBeforeLevel()
{
    QFETCH(double, hits);
    QFETCH(double, clicks);
    QFETCH(int, seconds);
    QFETCH(int, level);
    QFETCH(int, score);
    QCOMPARE(Results::finalScore(hits, clicks, seconds, level), score);
}

void TestResults::accuracyIsCutToOneDecimalInLocale_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<double>("hits");
    QTest::addColumn<double>("clicks");
    QTest::addColumn<QString>("line");

    const QLocale english(QLocale::English);
    const QLocale german(QLocale::German);
    QTest::newRow("two of three, English") << english << 2.0 << 3.0 << "Меткость Вася'a = 66.6%";
    QTest::newRow("two of three, German") << german << 2.0 << 3.0 << "Меткость Вася'a = 66,6%";
    QTest::newRow("one of three") << english << 1.0 << 3.0 << "Меткость Вася'a = 33.3%";
    QTest::newRow("all hits") << german << 1.0 << 1.0 << "Меткость Вася'a = 100%";
    QTest::newRow("only misses") << english << 0.0 << 4.0 << "Меткость Вася'a = 0%";
    QTest::newRow("no clicks") << english << 0.0 << 0.0 << "Меткость Вася'a = 0%";
}

void TestResults::accuracyIsCutToOneDecimalInLocale()
{
    QFETCH(QLocale, locale);
    QFETCH(double, hits);
    QFETCH(double, clicks);
    QFETCH(QString, line);
    const LocaleNumberText numbers(locale);
    QCOMPARE(Results::accuracyLine(QStringLiteral("Вася"), hits, clicks, numbers), line);
}

void TestResults::clicksPerMinuteIsCut_data()
{
    QTest::addColumn<double>("clicks");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("figure");

    QTest::newRow("7 in 9 s") << 7.0 << 9 << "46";
    QTest::newRow("41 in 20 s, just below 123") << 41.0 << 20 << "122";
    QTest::newRow("no clicks") << 0.0 << 0 << "0";
    QTest::newRow("clicks before the first second") << 3.0 << 0 << "180";
}

void TestResults::clicksPerMinuteIsCut()
{
    QFETCH(double, clicks);
    QFETCH(int, seconds);
    QFETCH(QString, figure);
    const LocaleNumberText numbers{QLocale(QLocale::English)};
    QCOMPARE(Results::clicksPerMinuteLine(clicks, seconds, numbers),
             QStringLiteral("Количество кликов в минуту = ") + figure);
}

void TestResults::gameOverTextNamesPlayerAndScore()
{
    QCOMPARE(Results::gameOverText(QStringLiteral("Вася"), 1234567),
             QStringLiteral("Игра окончена, Вася вы набрали 1234567 очков!"));
}

void TestResults::resultGoesBelowEqualScores_data()
{
    QTest::addColumn<QList<int>>("stored");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("row");

    QTest::newRow("fresh table") << QList<int>(11, 0) << 5 << 0;
    QTest::newRow("zero never enters") << QList<int>(11, 0) << 0 << 11;
    QTest::newRow("below equal scores")
        << QList<int>{50, 40, 40, 30, 0, 0, 0, 0, 0, 0, 0} << 40 << 3;
    QTest::newRow("equal to first place")
        << QList<int>{50, 40, 0, 0, 0, 0, 0, 0, 0, 0, 0} << 50 << 1;
    QTest::newRow("beats only row 10") << QList<int>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1} << 2 << 10;
    QTest::newRow("equals only row 10") << QList<int>{11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1} << 1 << 11;
}

void TestResults::resultGoesBelowEqualScores()
{
    QFETCH(QList<int>, stored);
    QFETCH(int, score);
    QFETCH(int, row);
    TopTable::ScoreList scores{};
    std::copy(stored.cbegin(), stored.cend(), scores.begin());
    QCOMPARE(TopTable::insertionRow(scores, score), row);
}

void TestResults::insertionMovesLowerRowsDown_data()
{
    QTest::addColumn<bool>("fresh");
    QTest::addColumn<int>("place");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("scores");

    // A fresh table holds only empty rows; a full one holds "a".."k" with 110, 100, .., 10.
    const QString e = TopTable::emptyName();
    QTest::newRow("first result in a fresh table")
        << true << 0 << "Вася (Н)" << QStringList{"Вася (Н)", e, e, e, e, e, e, e, e, e, e}
        << QList<int>{7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    QTest::newRow("middle row drops the last")
        << false << 3 << "Вася (Н)"
        << QStringList{"a", "b", "c", "Вася (Н)", "d", "e", "f", "g", "h", "i", "j"}
        << QList<int>{110, 100, 90, 7, 80, 70, 60, 50, 40, 30, 20};
    QTest::newRow("row 10 moves nothing")
        << false << 10 << "Вася (ОТ)"
        << QStringList{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "Вася (ОТ)"}
        << QList<int>{110, 100, 90, 80, 70, 60, 50, 40, 30, 20, 7};
    QTest::newRow("tagged nick gets a second tag")
        << false << 0 << QStringLiteral("Вася (Н)") + TopTable::levelTag(2)
        << QStringList{"Вася (Н) (Л)", "a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}
        << QList<int>{7, 110, 100, 90, 80, 70, 60, 50, 40, 30, 20};
}

void TestResults::insertionMovesLowerRowsDown()
{
    QFETCH(bool, fresh);
    QFETCH(int, place);
    QFETCH(QString, name);
    QFETCH(QStringList, names);
    QFETCH(QList<int>, scores);

    TopTable::Names tableNames;
    TopTable::ScoreList tableScores;
    for (int row = 0; row < TopTable::Rows; ++row) {
        tableNames[row] = fresh ? TopTable::emptyName() : QString(QChar(u'a' + row));
        tableScores[row] = fresh ? 0 : 110 - 10 * row;
    }

    TopTable::insert(tableNames, tableScores, place, name, 7);

    QCOMPARE(QStringList(tableNames.cbegin(), tableNames.cend()), names);
    QCOMPARE(QList<int>(tableScores.cbegin(), tableScores.cend()), scores);
}

void TestResults::levelTagsFollowLevel_data()
{
    QTest::addColumn<int>("level");
    QTest::addColumn<QString>("tag");

    QTest::newRow("very easy") << 1 << " (ОЛ)";
    QTest::newRow("easy") << 2 << " (Л)";
    QTest::newRow("normal") << 3 << " (Н)";
    QTest::newRow("hard") << 4 << " (Т)";
    QTest::newRow("very hard") << 5 << " (ОТ)";
}

void TestResults::levelTagsFollowLevel()
{
    QFETCH(int, level);
    QFETCH(QString, tag);
    QCOMPARE(TopTable::levelTag(level), tag);
}

QTEST_GUILESS_MAIN(TestResults)
#include "tst_results.moc"
