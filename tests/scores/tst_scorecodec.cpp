#include "scores/scorecodec.h"

#include <QTest>

using namespace ScoreCodec;

namespace {

QByteArray cp1251(const QString &text)
{
    return toWindows1251(text);
}

// A plain table whose every name is `name` and every score line is `score`.
QByteArray uniformTable(const QByteArray &name, const QByteArray &score)
{
    QByteArray text;
    for (int row = 0; row < Rows; ++row)
        text += name + "\r\n" + score + "\r\n";
    return text;
}

QByteArray fileOf(const QByteArray &plainText)
{
    return encode(plainText);
}

} // namespace

class TestScoreCodec : public QObject
{
    Q_OBJECT

private slots:
    void layersHaveOneNumberLinePerByteAndOneExtraByte_data();
    void layersHaveOneNumberLinePerByteAndOneExtraByte();
    void cyrillicPairGivesNegativeNumber();
    void unmappableCharactersBecomeOneQuestionMarkEach_data();
    void unmappableCharactersBecomeOneQuestionMarkEach();
    void everyCodePageByteSurvivesTheRoundTrip();
    void tableSurvivesEncodeAndDecode_data();
    void tableSurvivesEncodeAndDecode();
    void lineBreakInsideNameBecomesBlank();
    void scoreLineReadsAsInteger_data();
    void scoreLineReadsAsInteger();
    void onlyFirst22LinesAndOneTrailingByteAreRead_data();
    void onlyFirst22LinesAndOneTrailingByteAreRead();
    void numberTextIsCheckedLineByLine_data();
    void numberTextIsCheckedLineByLine();
    void damagedFileIsRejected_data();
    void damagedFileIsRejected();
};

void TestScoreCodec::layersHaveOneNumberLinePerByteAndOneExtraByte_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::newRow("one byte") << QByteArray("x");
    QTest::newRow("cyrillic bytes") << cp1251(QStringLiteral("Вася\r\n"));
    QTest::newRow("default table") << defaultPlainTable();
}

void TestScoreCodec::layersHaveOneNumberLinePerByteAndOneExtraByte()
{
    QFETCH(QByteArray, plain);
    const QByteArray numbers = encodeNumberText(plain);
    QCOMPARE(numbers.count("\r\n"), plain.size());
    QVERIFY(numbers.endsWith("\r\n"));

    const QByteArray file = encodeScoreFile(numbers);
    QCOMPARE(file.size(), numbers.size() + 1);
    QCOMPARE(file.back(), ExtraByte);
    for (qsizetype i = 0; i + 1 < file.size(); ++i) {
        QVERIFY2(quint8(file[i]) & 0x80, qPrintable(QString::number(i)));
        QCOMPARE(char(file[i] ^ 0x80), numbers[i]);
    }
}

void TestScoreCodec::cyrillicPairGivesNegativeNumber()
{
    const QByteArray plain = cp1251(QStringLiteral("<П"));
    QCOMPARE(plain, QByteArray("<\xCF"));
    QCOMPARE(encodeNumberText(plain), QByteArray("-12484 \r\n 207 \r\n"));
    QCOMPARE(decodeNumberText(encodeNumberText(plain)).value(), plain);
}

void TestScoreCodec::unmappableCharactersBecomeOneQuestionMarkEach_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("euro sign is in the code page") << QStringLiteral("€") << QByteArray("\x88");
    QTest::newRow("two CJK characters") << QStringLiteral("日本") << QByteArray("??");
    QTest::newRow("emoji between letters") << QStringLiteral("a😀b") << QByteArray("a?b");
    QTest::newRow("two emoji") << QStringLiteral("😀😀") << QByteArray("??");
    QTest::newRow("lone high surrogate") << QString(QChar(0xD83D)) + u'x' << QByteArray("?x");
    QTest::newRow("lone low surrogate") << QString(QChar(0xDE00)) << QByteArray("?");
}

void TestScoreCodec::unmappableCharactersBecomeOneQuestionMarkEach()
{
    QFETCH(QString, text);
    QFETCH(QByteArray, bytes);
    QCOMPARE(toWindows1251(text), bytes);
}

void TestScoreCodec::everyCodePageByteSurvivesTheRoundTrip()
{
    QByteArray all(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    QCOMPARE(toWindows1251(fromWindows1251(all)), all);
}

void TestScoreCodec::tableSurvivesEncodeAndDecode_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint32>("score");
    QTest::addColumn<QString>("expectedName");
    const auto row = [](const char *label, const QString &name, qint32 score) {
        QTest::newRow(label) << name << score << name;
    };
    row("cyrillic name", QStringLiteral("Вася (Н)"), 1234);
    row("commas", QStringLiteral("Петров, Иван, (ОТ)"), 7);
    row("quote marks", QStringLiteral("\"Ас\" ''x'' «y»"), 12);
    row("leading and trailing blanks", QStringLiteral("   Пётр  "), 3);
    row("empty name", QString(), 0);
    row("markup stays text", QStringLiteral("<b>Вася</b>"), 5);
    row("negative score", QStringLiteral("Минус"), -5);
    row("largest score", QStringLiteral("Max"), std::numeric_limits<qint32>::max());
    row("smallest score", QStringLiteral("Min"), std::numeric_limits<qint32>::min());
    QTest::newRow("emoji becomes question mark")
        << QStringLiteral("Я😀!") << 1 << QStringLiteral("Я?!");
}

void TestScoreCodec::tableSurvivesEncodeAndDecode()
{
    QFETCH(QString, name);
    QFETCH(qint32, score);
    QFETCH(QString, expectedName);
    Fields names;
    Fields scores;
    names.fill(QStringLiteral("<Пусто>"));
    scores.fill(QStringLiteral("0"));
    names[4] = name;
    scores[4] = QString::number(score);
    names[10] = name; // the last row ends the text: nothing after it must be lost
    scores[10] = QString::number(score);

    const auto decoded = decode(fileOf(plainTable(names, scores)));
    QVERIFY2(decoded.ok(), qPrintable(decoded.damage()));
    for (const int row : {4, 10}) {
        QCOMPARE(decoded.value().names[row], expectedName);
        QCOMPARE(decoded.value().scores[row], score);
    }
    QCOMPARE(decoded.value().names[3], QStringLiteral("<Пусто>"));
}

void TestScoreCodec::lineBreakInsideNameBecomesBlank()
{
    Fields names;
    Fields scores;
    scores.fill(QStringLiteral("1"));
    names[0] = QStringLiteral("a\r\nb\nc");
    const auto table = readTable(plainTable(names, scores));
    QVERIFY(table.ok());
    QCOMPARE(table.value().names[0], QStringLiteral("a  b c"));
    QCOMPARE(table.value().scores[0], 1);
}

void TestScoreCodec::scoreLineReadsAsInteger_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<qint32>("score");
    QTest::newRow("default form") << QByteArray(" 0 ") << true << 0;
    QTest::newRow("plain zero") << QByteArray("0") << true << 0;
    QTest::newRow("negative") << QByteArray("-5") << true << -5;
    QTest::newRow("blanks and tabs around") << QByteArray("\t 42 \t") << true << 42;
    QTest::newRow("int max") << QByteArray("2147483647") << true << 2147483647;
    QTest::newRow("int min") << QByteArray("-2147483648") << true << int(-2147483648LL);
    QTest::newRow("one above int max") << QByteArray("2147483648") << false << 0;
    QTest::newRow("one below int min") << QByteArray("-2147483649") << false << 0;
    QTest::newRow("very long digits") << QByteArray(40, '9') << false << 0;
    QTest::newRow("letter after digits") << QByteArray("12a") << false << 0;
    QTest::newRow("empty line") << QByteArray("") << false << 0;
    QTest::newRow("blanks only") << QByteArray("  ") << false << 0;
    QTest::newRow("sign alone") << QByteArray("-") << false << 0;
    QTest::newRow("blank inside number") << QByteArray("1 2") << false << 0;
    QTest::newRow("decimal fraction") << QByteArray("1.5") << false << 0;
}

void TestScoreCodec::scoreLineReadsAsInteger()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, valid);
    QFETCH(qint32, score);
    const auto table = decode(fileOf(uniformTable("name", line)));
    QCOMPARE(table.ok(), valid);
    if (valid)
        QCOMPARE(table.value().scores[10], score);
}

void TestScoreCodec::onlyFirst22LinesAndOneTrailingByteAreRead_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray plain = uniformTable(cp1251(QStringLiteral("Имя")), " 9 ");
    QTest::newRow("junk lines after the table") << fileOf(plain + "junk\r\n12a\r\ntail");
    QByteArray otherExtra = fileOf(plain);
    otherExtra.back() = '\x55';
    QTest::newRow("another writer's extra byte") << otherExtra;
    QTest::newRow("no extra byte") << fileOf(plain).chopped(1);
}

void TestScoreCodec::onlyFirst22LinesAndOneTrailingByteAreRead()
{
    QFETCH(QByteArray, file);
    const auto table = decode(file);
    QVERIFY2(table.ok(), qPrintable(table.damage()));
    QCOMPARE(table.value().names[10], QStringLiteral("Имя"));
    QCOMPARE(table.value().scores[10], 9);
}

void TestScoreCodec::numberTextIsCheckedLineByLine_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("plain"); // empty: damaged
    QTest::newRow("one line") << QByteArray(" 7 \r\n") << QByteArray("\x07");
    QTest::newRow("high byte matches next low byte")
        << QByteArray(" 256 \r\n 1 \r\n") << QByteArray("\x00\x01", 2);
    QTest::newRow("smallest value") << QByteArray("-32768 \r\n") << QByteArray("\x00", 1);
    QTest::newRow("largest value") << QByteArray(" 32767 \r\n") << QByteArray("\xFF");
    QTest::newRow("one trailing byte") << QByteArray(" 7 \r\n\x80") << QByteArray("\x07");
    QTest::newRow("high byte disagrees with next low byte")
        << QByteArray(" 256 \r\n 2 \r\n") << QByteArray();
    QTest::newRow("two trailing bytes") << QByteArray(" 7 \r\n\x80\x80") << QByteArray();
    QTest::newRow("value above 32767") << QByteArray(" 32768 \r\n") << QByteArray();
    QTest::newRow("value below -32768") << QByteArray("-32769 \r\n") << QByteArray();
    QTest::newRow("many digits") << QByteArray(" " + QByteArray(30, '1') + " \r\n") << QByteArray();
    QTest::newRow("leading zero") << QByteArray(" 07 \r\n") << QByteArray();
    QTest::newRow("minus zero") << QByteArray("-0 \r\n") << QByteArray();
    QTest::newRow("plus sign") << QByteArray("+7 \r\n") << QByteArray();
    QTest::newRow("no blank before line end") << QByteArray(" 7\r\n") << QByteArray();
    QTest::newRow("bare LF") << QByteArray(" 7 \n 7 \n") << QByteArray();
    QTest::newRow("digits missing") << QByteArray("  \r\n") << QByteArray();
    QTest::newRow("bad line after good ones")
        << QByteArray(" 7 \r\n 0 \r\nxx\r\n") << QByteArray();
}

void TestScoreCodec::numberTextIsCheckedLineByLine()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, plain);
    const auto decoded = decodeNumberText(text);
    QCOMPARE(decoded.ok(), !plain.isEmpty());
    if (decoded.ok())
        QCOMPARE(decoded.value(), plain);
}

void TestScoreCodec::damagedFileIsRejected_data()
{
    QTest::addColumn<QByteArray>("file");
    const QByteArray good = fileOf(defaultPlainTable());

    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("extra byte only") << QByteArray(1, ExtraByte);
    QTest::newRow("cut inside the last line") << good.left(good.size() - 4);
    QTest::newRow("two bytes after the last line") << good + '\x80';
    QTest::newRow("byte without top bit") << QByteArray(good).replace(0, 1, "A");
    QTest::newRow("21 lines") << fileOf(uniformTable("a", "1").chopped(3));
    QTest::newRow("22nd line without line end") << fileOf(uniformTable("a", "1").chopped(2));
    QTest::newRow("score is no number") << fileOf(uniformTable("a", "x"));
    QTest::newRow("larger than the cap") << QByteArray(MaxFileBytes + 1, '\xA0');
}

void TestScoreCodec::damagedFileIsRejected()
{
    QFETCH(QByteArray, file);
    const auto table = decode(file);
    QVERIFY(!table.ok());
    QVERIFY(!table.damage().isEmpty());
}

QTEST_GUILESS_MAIN(TestScoreCodec)
#include "tst_scorecodec.moc"
