#include "platform/cursorfile.h"

#include <QtGui/QImageReader>
#include <QtTest>

static QByteArray crosshairBytes()
{
    QFile file(QStringLiteral(":/assets/crosshair.cur"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Away from the crossing, each arm runs 2..29; across it, bars 12..14 and 17..19 leave a slit.
static bool inBar(int along, int across)
{
    return along >= 2 && along <= 29 && across >= 12 && across <= 19 && across != 15 && across != 16;
}

class TestCursorFile : public QObject
{
    Q_OBJECT

private slots:
    void crosshairIsTwoSlitBarsAroundTransparentHotspot()
    {
        const auto cursor = parseCursorFile(crosshairBytes()).value(); // throws when rejected
        QCOMPARE(QRect(cursor.hotspot, cursor.image.size()), QRect(15, 15, 32, 32));
        QCOMPARE(qAlpha(cursor.image.pixel(15, 15)), 0);
        for (int along : {1, 2, 5, 29, 30})
            for (int across = 11; across <= 20; ++across)
                for (const QPoint p : {QPoint(along, across), QPoint(across, along)})
                    QVERIFY2(inBar(along, across) ? cursor.image.pixel(p) == qRgba(0, 0, 0, 255)
                                                  : qAlpha(cursor.image.pixel(p)) == 0,
                             qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    }
    void rejectsGarbageAndTruncatedData_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("text") << QByteArray("this is not a cursor file, just some words of text.");
        QTest::newRow("last byte missing") << crosshairBytes().chopped(1);
    }
    void rejectsGarbageAndTruncatedData()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(!parseCursorFile(QByteArray(bytes.constData(), bytes.size())));
    }
    void otherPicturesDecodeWithTheirSizes()
    {
        const QImage target = QImage(":/assets/target.gif").convertToFormat(QImage::Format_ARGB32);
        QCOMPARE(target.size(), QSize(25, 25));
        for (const QPoint corner : {QPoint(0, 0), QPoint(24, 0), QPoint(0, 24), QPoint(24, 24)})
            QCOMPARE(qAlpha(target.pixel(corner)), 0);
        QSet<QRgb> colours; // 0 for every transparent pixel
        for (int i = 0; i < 25 * 25; ++i)
            colours.insert(qAlpha(target.pixel(i % 25, i / 25)) ? target.pixel(i % 25, i / 25) : 0u);
        QCOMPARE(colours, QSet<QRgb>({0u, qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 0)}));
        QCOMPARE(QImage(":/assets/banner.gif").size(), QSize(320, 100));
        QImageReader icon(":/assets/icon.ico");
        QCOMPARE(icon.imageCount(), 2);
        QCOMPARE(icon.read().size(), QSize(32, 32));
        QVERIFY(icon.jumpToImage(1));
        QCOMPARE(icon.read().size(), QSize(16, 16));
    }
};

QTEST_GUILESS_MAIN(TestCursorFile)
#include "tst_cursorfile.moc"
