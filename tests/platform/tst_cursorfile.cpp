#include "doubles/diskfixture.h"
#include "platform/cursorfile.h"

#include <QtGui/QImageReader>
#include <QtTest>

class TestCursorFile : public QObject
{
    Q_OBJECT

private slots:
    void crosshairIsTwoSlitBarsAroundTransparentHotspot()
    {
        const auto cursor =
            parseCursorFile(contents(":/assets/crosshair.cur")).value(); // throws if rejected
        // Away from the crossing, each arm runs 2..29; across it, bars 12..14 and 17..19 leave a
        // slit.
        const auto inBar = [](int along, int across) {
            return along >= 2 && along <= 29 && across >= 12 && across <= 19 && across != 15
                   && across != 16;
        };
        QCOMPARE(QRect(cursor.hotspot, cursor.image.size()), QRect(15, 15, 32, 32));
        QCOMPARE(qAlpha(cursor.image.pixel(15, 15)), 0);
        for (int along : {1, 2, 5, 29, 30})
            for (int across = 11; across <= 20; ++across)
                for (const QPoint p : {QPoint(along, across), QPoint(across, along)})
                    QVERIFY2(inBar(along, across) ? cursor.image.pixel(p) == qRgba(0, 0, 0, 255)
                                                  : qAlpha(cursor.image.pixel(p)) == 0,
                             qPrintable(QStringLiteral("%1,%2").arg(p.x()).arg(p.y())));
    }
    void rejectsGarbageAndTruncatedData()
    {
        for (const QByteArray &bytes :
             {QByteArray(), QByteArray("this is not a cursor file, just words."),
              contents(":/assets/crosshair.cur").chopped(1)})
            QVERIFY(!parseCursorFile(
                QByteArray(bytes.constData(), bytes.size()))); // copy: no bytes beyond
    }
    void otherPicturesDecodeWithTheirSizes()
    {
        const auto target =
            QImage(":/assets/target.gif").convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QCOMPARE(target.size(), QSize(25, 25));
        const auto *pixels = reinterpret_cast<const QRgb *>(target.constBits()); // transparent: 0
        QCOMPARE(QSet<QRgb>(pixels, pixels + 25 * 25),
                 QSet<QRgb>({0u, qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 0)}));
        QCOMPARE(QImage(":/assets/banner.gif").size(), QSize(320, 100));
        QImageReader icon(":/assets/icon.ico");
        QCOMPARE(icon.imageCount(), 2);
        QCOMPARE(icon.read().size(), QSize(32, 32));
        QVERIFY(icon.jumpToImage(1) && icon.read().size() == QSize(16, 16));
    }
};

QTEST_GUILESS_MAIN(TestCursorFile)
#include "tst_cursorfile.moc"
