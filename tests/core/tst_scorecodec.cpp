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
        // The score file is one byte longer: the extra byte, whatever its value.
        QCOMPARE(encodeScoreFile(numbers).chopped(1), flipped);
        QCOMPARE(decodePlainText(encode(plain)).value(), plain);
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
