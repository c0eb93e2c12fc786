#include "game/clockcaption.h"
#include "game/numberformat.h"
#include "scores/results.h"
#include "scores/toptable.h"
#include "targets/pace.h"
#include "targets/placement.h"

#include <QTest>

// level -> its name and the tag its results get in the table
using Level = std::tuple<int, QString, QString>;
// hits, level -> the intervals the two appearance timers get ("first / second" or "unchanged")
using Pacing = std::tuple<double, int, QString>;
// one draw -> offset from the anchor, change of the side, index of the target shown (0 = Image1)
using Draw = std::tuple<float, int, int, int>;
// hits, clicks, seconds, level -> score, accuracy, clicks per minute
using Round = std::tuple<double, double, int, int, int, QString, QString>;

// A table written as "50a 40b ...": each row's score followed by its one-letter name.
static QString rowsOf(const TopTable::Names &names, const TopTable::ScoreList &scores)
{
    QStringList rows;
    for (int row = 0; row < TopTable::Rows; ++row)
        rows << QString::number(scores[row]) + names[row];
    return rows.join(u' ');
}

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void clockCaptionAfterTick_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("time");
        QTest::newRow("first tick") << 0 << "00:01";
        QTest::newRow("9 s") << 8 << "00:09";
        QTest::newRow("10 s") << 9 << "00:10";
        QTest::newRow("59 s") << 58 << "00:59";
        QTest::newRow("60 s") << 59 << "01:00";
        QTest::newRow("65 s") << 64 << "01:05";
        QTest::newRow("70 s: ten seconds take no padding zero") << 69 << "01:10";
        QTest::newRow("599 s") << 598 << "09:59";
        QTest::newRow("600 s: two-digit minutes") << 599 << "10:00";
        QTest::newRow("3599 s") << 3598 << "59:59";
        QTest::newRow("6000 s: three-digit minutes") << 5999 << "100:00";
        QTest::newRow("32767 s, the largest count") << 32766 << "546:07";
        QTest::newRow("a tick at the largest count stands still") << 32767 << "546:07";
    }
    void clockCaptionAfterTick()
    {
        QFETCH(int, before);
        QFETCH(QString, time);
        QCOMPARE(clockCaption(nextSecond(qint16(before))), "Прошло времени: " + time);
    }

    void levelHasNameAndTag_data()
    {
        QTest::addColumn<Level>("level");
        QTest::newRow("level 1") << Level{1, "Очень легко", " (ОЛ)"};
        QTest::newRow("level 2") << Level{2, "Легко", " (Л)"};
        QTest::newRow("level 3") << Level{3, "Норма", " (Н)"};
        QTest::newRow("level 4") << Level{4, "Тяжело", " (Т)"};
        QTest::newRow("level 5") << Level{5, "Очень тяжело", " (ОТ)"};
    }
    void levelHasNameAndTag()
    {
        QFETCH(Level, level);
        const auto [number, name, tag] = level;
        QCOMPARE(Pace::levelName(number), name);
        QCOMPARE(TopTable::levelTag(number), tag);
    }

    void appearanceIntervals_data()
    {
        QTest::addColumn<Pacing>("pacing");
        QTest::newRow("no hits") << Pacing{0, 3, "1050 / 1000"};
        QTest::newRow("level 5, 6 hits: 56.999... is cut to 56") << Pacing{6, 5, "990 / 944"};
        QTest::newRow("level 5 at its limit") << Pacing{100, 5, "50 / 50"};
        QTest::newRow("level 5 past its limit") << Pacing{101, 5, "unchanged"};
        QTest::newRow("level 1 at its limit") << Pacing{500, 1, "50 / 50"};
        QTest::newRow("level 3, 175 hits: 0 stops the first timer") << Pacing{175, 3, "0 / 3"};
        QTest::newRow("level 4, 200 hits: below 0 gives 1 ms") << Pacing{200, 4, "1 / 1"};
    }
    void appearanceIntervals()
    {
        QFETCH(Pacing, pacing);
        const auto [hits, level, expected] = pacing;
        const auto computed = Pace::appearanceIntervals(hits, level);
        const QString set = computed ? QStringLiteral("%1 / %2")
                                           .arg(Pace::timerInterval(computed->first))
                                           .arg(Pace::timerInterval(computed->second))
                                     : QStringLiteral("unchanged");
        QCOMPARE(set, expected);
    }

    void drawPlacesAndPicksTargets_data()
    {
        QTest::addColumn<Draw>("draw");
        QTest::newRow("0: farthest, largest, Image10") << Draw{0.0f, 960, 175, 9};
        QTest::newRow("0.1: Image1") << Draw{0.1f, 864, 140, 0};
        QTest::newRow("0.7 in single precision: Image7") << Draw{0.7f, 288, -70, 6};
        QTest::newRow("just below 1: nearest, smallest, Image9") << Draw{0.99999994f, 1, -174, 8};
    }
    void drawPlacesAndPicksTargets()
    {
        QFETCH(Draw, draw);
        const auto [r, offset, sizeChange, target] = draw;
        QCOMPARE(Placement::offsetFromAnchor(r), offset);
        QCOMPARE(Placement::sizeChange(r), sizeChange);
        QCOMPARE(Placement::targetForDraw(r), target);
    }

    void seedIsDayNumberTimesFractionOfDay_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<double>("seed");
        QTest::newRow("6 o'clock: a quarter of day 45352") << QTime(6, 0) << 11338.0;
        QTest::newRow("noon, milliseconds dropped") << QTime(12, 0, 0, 900) << 22676.0;
    }
    void seedIsDayNumberTimesFractionOfDay()
    {
        QFETCH(QTime, time);
        QFETCH(double, seed);
        QCOMPARE(Placement::seedValue(QDateTime(QDate(2024, 3, 1), time)), seed);
    }

    void roundResults_data()
    {
        QTest::addColumn<Round>("round");
        QTest::newRow("base 10 at level 3") << Round{10, 10, 30, 3, 30, "100", "20"};
        QTest::newRow("base 1.25") << Round{5, 8, 20, 1, 1, "62.5", "24"};
        QTest::newRow("base just below 11.5") << Round{25, 25, 23, 1, 11, "100", "65"};
        QTest::newRow("base 2.5 goes to even 2") << Round{5, 5, 25, 1, 2, "100", "12"};
        QTest::newRow("base 3.5 goes to even 4") << Round{7, 7, 25, 1, 4, "100", "16"};
        QTest::newRow("2 of 3 is cut to 66.6") << Round{2, 3, 1, 1, 0, "66.6", "180"};
        QTest::newRow("1 of 3") << Round{1, 3, 1, 1, 0, "33.3", "180"};
        QTest::newRow("7 clicks in 9 s: 46.67 cut") << Round{7, 7, 9, 5, 30, "100", "46"};
        QTest::newRow("41 clicks in 20 s: just below 123")
            << Round{41, 41, 20, 1, 16, "100", "122"};
        QTest::newRow("no clicks") << Round{0, 0, 30, 3, 0, "0", "0"};
    }
    void roundResults()
    {
        QFETCH(Round, round);
        const auto [hits, clicks, seconds, level, score, accuracy, perMinute] = round;
        const NumberFormat numbers(QLocale::c());
        QCOMPARE(Results::finalScore(hits, clicks, seconds, level), score);
        QCOMPARE(Results::accuracyLine("Вася", hits, clicks, numbers),
                 "Меткость Вася'a = " + accuracy + "%");
        QCOMPARE(Results::clicksPerMinuteLine(clicks, seconds, numbers),
                 "Количество кликов в минуту = " + perMinute);
    }

    void resultEntersBelowEqualScores_data()
    {
        QTest::addColumn<TopTable::ScoreList>("scores");
        QTest::addColumn<int>("score");
        QTest::addColumn<QString>("after");
        const TopTable::ScoreList fresh{};
        const TopTable::ScoreList full{110, 100, 90, 80, 70, 60, 50, 40, 30, 20, 10};
        QTest::newRow("fresh table") << fresh << 5 << "5N 0a 0b 0c 0d 0e 0f 0g 0h 0i 0j";
        QTest::newRow("0 never enters") << fresh << 0 << "0a 0b 0c 0d 0e 0f 0g 0h 0i 0j 0k";
        QTest::newRow("below both stored 40s")
            << TopTable::ScoreList{50, 40, 40, 30} << 40 << "50a 40b 40c 40N 30d 0e 0f 0g 0h 0i 0j";
        QTest::newRow("equal to first place")
            << full << 110 << "110a 110N 100b 90c 80d 70e 60f 50g 40h 30i 20j";
        QTest::newRow("equal to row 10 only")
            << full << 10 << "110a 100b 90c 80d 70e 60f 50g 40h 30i 20j 10k";
        QTest::newRow("row 10 moves nothing")
            << full << 15 << "110a 100b 90c 80d 70e 60f 50g 40h 30i 20j 15N";
    }
    void resultEntersBelowEqualScores()
    {
        QFETCH(TopTable::ScoreList, scores);
        QFETCH(int, score);
        QFETCH(QString, after);
        TopTable::Names names{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k"};
        const int place = TopTable::insertionRow(scores, score);
        TopTable::insert(names, scores, place, "N", score);
        QCOMPARE(rowsOf(names, scores), after);
    }

    void numbersUseDigitsZeroToNine_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("C") << QLocale::c() << ".";
        QTest::newRow("Russian") << QLocale(QLocale::Russian, QLocale::Russia) << ",";
        QTest::newRow("German, which groups with '.'") << QLocale(QLocale::German) << ",";
        QTest::newRow("Arabic (Egypt)") << QLocale(QLocale::Arabic, QLocale::Egypt) << "\u066B";
        QTest::newRow("Persian (Iran)") << QLocale(QLocale::Persian, QLocale::Iran) << "\u066B";
    }
    void numbersUseDigitsZeroToNine()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        const NumberFormat numbers(locale);
        const QString fraction = "66" + separator + "6";
        QCOMPARE(numbers.toText(1234), QStringLiteral("1234"));
        QCOMPARE(numbers.toText(66.6), fraction);
        QCOMPARE(numbers.toNumber(QStringLiteral("1234")), 1234.0);
        QCOMPARE(numbers.toNumber(fraction), 66.6);
    }
};

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
