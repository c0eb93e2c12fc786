#include "scores/scorecodec.h"

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
        // The score file is one byte longer: the extra byte, whatever its value.
        QCOMPARE(encodeScoreFile(numbers).chopped(1), flipped);
        QCOMPARE(decodePlainText(encode(plain)).value(), plain);
    }

    void namesComeBackWhole_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("loaded");
        QTest::newRow("Cyrillic, comma, quotes")
            << QStringLiteral("Вася, \"Пупкин\"") << "Вася, \"Пупкин\"";
        QTest::newRow("leading blanks") << QStringLiteral("  Петя") << "  Петя";
        QTest::newRow("an emoji is one question mark") << QStringLiteral("a\U0001F600b") << "a?b";
    }
    void namesComeBackWhole()
    {
        QFETCH(QString, name);
        QFETCH(QString, loaded);
        Fields names;
        Fields scores;
        names.fill(name);
        scores.fill("0");
        const Table table = decode(encode(plainTable(names, scores))).value();
        QCOMPARE(QStringList(table.names.begin(), table.names.end()), QStringList(Rows, loaded));
    }

    void damagedFileIsRejectedWithReason_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("reason");
        const QByteArray row = "a\r\n0\r\n";
        QTest::newRow("empty") << QByteArray() << "он пуст или обрезан";
        QTest::newRow("cut inside its first line")
            << QByteArray::fromHex("A0B6B5A08D") << "в нём не числа";
        // 25185 is "a" + 256 * "b", but the next line starts with "a" (97).
        QTest::newRow("a high byte the next line contradicts")
            << QByteArray::fromHex("A0B2B5B1B8B5A08D8A A0B9B7A08D8A 00")
            << "его числа не сходятся друг с другом";
        QTest::newRow("a number beyond 16 bits") << QByteArray::fromHex("A0B4B0B0B0B0A08D8A 00")
                                                 << "в нём число вне допустимых пределов";
        QTest::newRow("two lines") << encode(row) << "в таблице меньше 22 строк";
        QTest::newRow("a score beyond 32 bits") << encode("a\r\n2147483648\r\n" + row.repeated(10))
                                                << "очки в строке 2 — не целое число";
    }
    void damagedFileIsRejectedWithReason()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, reason);
        QCOMPARE(decode(file).damage(), reason);
    }

    void fileOverSixtyFourMebibytesIsRejectedUnread()
    {
        // Only the size is looked at, so a view that claims the size is enough.
        const char byte = ' ';
        const QByteArrayView huge(&byte, 64 * 1024 * 1024 + 1);
        QCOMPARE(decode(huge).damage(), QStringLiteral("он слишком велик для таблицы рекордов"));
    }
};

QTEST_APPLESS_MAIN(TestScoreCodec)
#include "tst_scorecodec.moc"
