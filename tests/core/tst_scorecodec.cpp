#include "core/scorecodec.h"

#include <QTest>

using namespace ScoreCodec;

class TestScoreCodec : public QObject
{
    Q_OBJECT

private slots:
    void encodesLayerByLayer()
    {
        // "<" is 60 and "П" 207 in Windows-1251: 60 + 256 * 207 - 65536 = -12484; the last byte
        // has no byte after it.
        const QByteArray plain("<\xCF");
        const QByteArray numbers("-12484 \r\n 207 \r\n");
        const QByteArray flipped = QByteArray::fromHex("ADB1B2B4B8B4A08D8A A0B2B0B7A08D8A");
        QCOMPARE(encodeNumberText(plain), numbers);
        QCOMPARE(encodeNumberText(QByteArray(1, '\0')), " 0 \r\n"); // zero has no "-"
        // The score file is one byte longer: the extra byte, whatever its value.
        QCOMPARE(encodeScoreFile(numbers).chopped(1), flipped);
        QCOMPARE(decodePlainText(flipped).value(), plain); // the extra byte may be missing
        QCOMPARE(decodePlainText(encode(QByteArray(1, '\0'))).value(), QByteArray(1, '\0'));
    }

    // What the file keeps of a name: each character Windows-1251 lacks as one "?", a line break
    // as a blank, everything else as it was.
    void namesComeBackAsTheFileKeepsThem()
    {
        Fields names;
        names.fill("<Пусто>");
        names[0] = "  Вася, \"😀中\" (Н)";
        names[1] = "раз\r\nдва\nтри";
        names[2] = QChar(0xD800) + QStringLiteral("aя\x7F"); // half a pair: its own "?"; 32767
        Fields scores;
        scores.fill("0");
        scores[0] = "-2147483648";
        const auto table = decode(encode(plainTable(names, scores)));
        QCOMPARE(table.value().names[0], QStringLiteral("  Вася, \"??\" (Н)"));
        QCOMPARE(table.value().names[1], QStringLiteral("раз  два три"));
        QCOMPARE(table.value().names[2], QStringLiteral("?aя\x7F"));
        QCOMPARE(table.value().scores[0], -2147483648);
    }

    void damagedFileIsRejectedWithReason_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        // 25185 is "a" + 256 * "b", but the next line starts with "a" (97).
        QTest::newRow("a high byte the next line contradicts")
            << QByteArray::fromHex("A0B2B5B1B8B5A08D8A A0B9B7A08D8A 00")
            << "его числа не сходятся друг с другом";
        QTest::newRow("a number beyond 16 bits") << QByteArray::fromHex("A0B4B0B0B0B0A08D8A 00")
                                                 << "в нём число вне допустимых пределов";
        QTest::newRow("two lines") << encode("a\r\n0\r\n") << "в таблице меньше 22 строк";
        QTest::newRow("no digits") << encodeScoreFile("  \r\n") << "в нём не числа";
        QTest::newRow("a leading zero") << encodeScoreFile(" 07 \r\n") << "в нём не числа";
        QTest::newRow("minus zero") << encodeScoreFile("-0 \r\n") << "в нём не числа";
        // The least number a line may hold is read: the file is refused only for being short.
        QTest::newRow("-32768") << encodeScoreFile("-32768 \r\n") << "в таблице меньше 22 строк";
        QTest::newRow("a letter") << encodeScoreFile(" 7x\r\n") << "в нём не числа";
        QTest::newRow("no score") << encode(plainTable({}, {}))
                                  << "очки в строке 2 — не целое число";
        QTest::newRow("as large as a table may be: read")
            << QByteArray(MaxFileBytes, '\xA0') << "в нём не числа";
        QTest::newRow("larger than any table")
            << QByteArray(MaxFileBytes + 1, '\xA0') << "он слишком велик для таблицы рекордов";
    }
    void damagedFileIsRejectedWithReason()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        QCOMPARE(decode(file).damage(), reason);
    }
};

QTEST_APPLESS_MAIN(TestScoreCodec)
#include "tst_scorecodec.moc"
