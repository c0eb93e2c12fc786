#include "platform/cursorfile.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>
#include <QtTest>
#include <cmath>

namespace {

QByteArray readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QByteArray crosshairBytes()
{
    return readResource(QStringLiteral(":/assets/crosshair.cur"));
}

void putU16(QByteArray &bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void putU32(QByteArray &bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

// Builds a 1-bpp CUR in memory. `pixels` lists rows top to bottom; each character is one
// pixel as (AND, XOR): '.' = (1,0), '0' = (0,0), '1' = (0,1), 'x' = (1,1).
QByteArray makeCursor(const QStringList &pixels, QPoint hotspot, QRgb colour0, QRgb colour1)
{
    const int h = int(pixels.size());
    const int w = int(pixels.first().size());
    const int stride = ((w + 31) / 32) * 4;
    const int bitmapSize = 40 + 8 + 2 * stride * h;

    QByteArray bytes(6 + 16 + bitmapSize, '\0');
    putU16(bytes, 2, 2);
    putU16(bytes, 4, 1);
    bytes[6] = char(w);
    bytes[7] = char(h);
    bytes[8] = 2;
    putU16(bytes, 10, quint16(hotspot.x()));
    putU16(bytes, 12, quint16(hotspot.y()));
    putU32(bytes, 14, quint32(bitmapSize));
    putU32(bytes, 18, 22);

    const int info = 22;
    putU32(bytes, info, 40);
    putU32(bytes, info + 4, quint32(w));
    putU32(bytes, info + 8, quint32(2 * h));
    putU16(bytes, info + 12, 1);
    putU16(bytes, info + 14, 1);
    const int palette = info + 40;
    const QRgb colours[2] = {colour0, colour1};
    for (int i = 0; i < 2; ++i) {
        bytes[palette + 4 * i] = char(qBlue(colours[i]));
        bytes[palette + 4 * i + 1] = char(qGreen(colours[i]));
        bytes[palette + 4 * i + 2] = char(qRed(colours[i]));
    }
    const int xorStart = palette + 8;
    const int andStart = xorStart + stride * h;
    for (int y = 0; y < h; ++y) {
        const int row = h - 1 - y;   // stored bottom-up
        for (int x = 0; x < w; ++x) {
            const QChar c = pixels[y][x];
            const bool andBit = c == u'.' || c == u'x';
            const bool xorBit = c == u'1' || c == u'x';
            const char mask = char(0x80 >> (x % 8));
            if (andBit)
                bytes[andStart + row * stride + x / 8] |= mask;
            if (xorBit)
                bytes[xorStart + row * stride + x / 8] |= mask;
        }
    }
    return bytes;
}

QImage loadArgb(const QString &path)
{
    return QImage(path).convertToFormat(QImage::Format_ARGB32);
}

bool cornersTransparent(const QImage &image)
{
    const int r = image.width() - 1;
    const int b = image.height() - 1;
    return qAlpha(image.pixel(0, 0)) == 0 && qAlpha(image.pixel(r, 0)) == 0
           && qAlpha(image.pixel(0, b)) == 0 && qAlpha(image.pixel(r, b)) == 0;
}

} // namespace

class TestCursorFile : public QObject
{
    Q_OBJECT

private slots:
    void crosshairSizeAndHotspot();
    void crosshairPixels_data();
    void crosshairPixels();
    void crosshairHasOnlyTheCross();
    void decodesEachPixelKind_data();
    void decodesEachPixelKind();
    void hotspotComesFromTheDirectory();
    void rejectsMalformedData_data();
    void rejectsMalformedData();
    void targetPictureDecodes();
    void bannerPictureDecodes();
    void iconDecodesBothSizes();
};

void TestCursorFile::crosshairSizeAndHotspot()
{
    const auto cursor = parseCursorFile(crosshairBytes());
    QVERIFY(cursor.has_value());
    QCOMPARE(cursor->image.size(), QSize(32, 32));
    QCOMPARE(cursor->hotspot, QPoint(15, 15));
    QCOMPARE(qAlpha(cursor->image.pixel(cursor->hotspot)), 0);
}

void TestCursorFile::crosshairPixels_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<bool>("opaque");

    // The cross is the same along both axes, so every horizontal case is mirrored onto the
    // vertical arm. Bars: 12..14 and 17..19; slit: 15..16; arms: 2..29.
    struct Row {
        const char *name;
        int along;
        int across;
        bool opaque;
    };
    const Row rows[] = {
        {"upper bar first row", 5, 12, true},
        {"upper bar middle row", 5, 13, true},
        {"upper bar last row", 5, 14, true},
        {"slit first row", 5, 15, false},
        {"slit second row", 5, 16, false},
        {"slit far end", 26, 15, false},
        {"lower bar first row", 5, 17, true},
        {"lower bar middle row", 5, 18, true},
        {"lower bar last row", 5, 19, true},
        {"just outside upper bar", 5, 11, false},
        {"just outside lower bar", 5, 20, false},
        {"before arm start, upper bar", 1, 13, false},
        {"arm start, upper bar", 2, 13, true},
        {"arm end, upper bar", 29, 13, true},
        {"after arm end, upper bar", 30, 13, false},
        {"before arm start, lower bar", 1, 18, false},
        {"arm start, lower bar", 2, 18, true},
        {"arm end, lower bar", 29, 18, true},
        {"after arm end, lower bar", 30, 18, false},
    };
    for (const Row &row : rows) {
        QTest::addRow("horizontal: %s", row.name) << QPoint(row.along, row.across) << row.opaque;
        QTest::addRow("vertical: %s", row.name) << QPoint(row.across, row.along) << row.opaque;
    }
    QTest::newRow("hotspot") << QPoint(15, 15) << false;
    QTest::newRow("centre of the slits' crossing") << QPoint(16, 16) << false;
    QTest::newRow("corner top left") << QPoint(0, 0) << false;
    QTest::newRow("corner top right") << QPoint(31, 0) << false;
    QTest::newRow("corner bottom left") << QPoint(0, 31) << false;
    QTest::newRow("corner bottom right") << QPoint(31, 31) << false;
}

void TestCursorFile::crosshairPixels()
{
    QFETCH(QPoint, pixel);
    QFETCH(bool, opaque);

    const auto cursor = parseCursorFile(crosshairBytes());
    QVERIFY(cursor.has_value());
    const QRgb colour = cursor->image.pixel(pixel);
    if (opaque)
        QCOMPARE(colour, qRgba(0, 0, 0, 255));
    else
        QCOMPARE(qAlpha(colour), 0);
}

void TestCursorFile::crosshairHasOnlyTheCross()
{
    // Two arms of 28 x 6 pixels share a 6 x 6 crossing: 2 * 168 - 36 opaque pixels, all
    // black, and nothing half-transparent anywhere.
    const auto cursor = parseCursorFile(crosshairBytes());
    QVERIFY(cursor.has_value());
    int opaque = 0;
    for (int y = 0; y < cursor->image.height(); ++y) {
        for (int x = 0; x < cursor->image.width(); ++x) {
            const QRgb c = cursor->image.pixel(x, y);
            if (qAlpha(c) == 0)
                continue;
            QCOMPARE(c, qRgba(0, 0, 0, 255));
            ++opaque;
        }
    }
    QCOMPARE(opaque, 300);
}

void TestCursorFile::decodesEachPixelKind_data()
{
    QTest::addColumn<QPoint>("pixel");
    QTest::addColumn<QRgb>("expected");

    // Palette colours with distinct channels catch a swapped red/blue order.
    QTest::newRow("mask clear, colour bit 0: palette entry 0") << QPoint(0, 0) << qRgb(10, 20, 30);
    QTest::newRow("mask clear, colour bit 1: palette entry 1")
        << QPoint(1, 0) << qRgb(200, 150, 100);
    QTest::newRow("mask set, colour bit 0: transparent") << QPoint(2, 0) << qRgba(0, 0, 0, 0);
    QTest::newRow("mask set, colour bit 1: inverted screen as black")
        << QPoint(3, 0) << qRgb(0, 0, 0);
    QTest::newRow("second byte of a row") << QPoint(10, 0) << qRgb(200, 150, 100);
    QTest::newRow("bottom row read from the start of the data")
        << QPoint(0, 1) << qRgb(200, 150, 100);
    QTest::newRow("bottom row, transparent part") << QPoint(5, 1) << qRgba(0, 0, 0, 0);
}

void TestCursorFile::decodesEachPixelKind()
{
    QFETCH(QPoint, pixel);
    QFETCH(QRgb, expected);

    const QByteArray bytes = makeCursor({QStringLiteral("01.x......1"), QStringLiteral("1..........")},
                                        QPoint(0, 0), qRgb(10, 20, 30), qRgb(200, 150, 100));
    const auto cursor = parseCursorFile(bytes);
    QVERIFY(cursor.has_value());
    QCOMPARE(cursor->image.size(), QSize(11, 2));
    QCOMPARE(cursor->image.format(), QImage::Format_ARGB32);
    const QRgb actual = cursor->image.pixel(pixel);
    if (qAlpha(expected) == 0)
        QCOMPARE(qAlpha(actual), 0);
    else
        QCOMPARE(actual, expected);
}

void TestCursorFile::hotspotComesFromTheDirectory()
{
    const QByteArray bytes = makeCursor({QStringLiteral("0000"), QStringLiteral("0000")},
                                        QPoint(3, 1), qRgb(0, 0, 0), qRgb(255, 255, 255));
    const auto cursor = parseCursorFile(bytes);
    QVERIFY(cursor.has_value());
    QCOMPARE(cursor->hotspot, QPoint(3, 1));
}

void TestCursorFile::rejectsMalformedData_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray good = crosshairBytes();
    QVERIFY(parseCursorFile(good).has_value());   // the mutations below start from a valid file
    const int info = 22;                           // the only bitmap starts after the directory

    auto patched16 = [&](int offset, quint16 value) {
        QByteArray b = good;
        putU16(b, offset, value);
        return b;
    };
    auto patched32 = [&](int offset, quint32 value) {
        QByteArray b = good;
        putU32(b, offset, value);
        return b;
    };

    QTest::newRow("empty") << QByteArray();
    QTest::newRow("header only") << good.left(6);
    QTest::newRow("directory only") << good.left(22);
    QTest::newRow("truncated bitmap header") << good.left(info + 20);
    QTest::newRow("truncated palette") << good.left(info + 44);
    QTest::newRow("truncated bitmap") << good.left(good.size() - 1);
    QTest::newRow("wrong type field (icon)") << patched16(2, 1);
    QTest::newRow("reserved field set") << patched16(0, 1);
    QTest::newRow("no images") << patched16(4, 0);
    QTest::newRow("resource larger than file") << patched32(14, quint32(good.size()));
    QTest::newRow("resource offset past end") << patched32(18, quint32(good.size() + 1));
    QTest::newRow("resource offset near 4 GiB") << patched32(18, 0xFFFFFFF0u);
    QTest::newRow("bitmap header size past resource") << patched32(info, 0x7FFFFFFFu);
    QTest::newRow("bitmap header too small") << patched32(info, 12);
    QTest::newRow("4 bits per pixel") << patched16(info + 14, 4);
    QTest::newRow("two planes") << patched16(info + 12, 2);
    QTest::newRow("compressed") << patched32(info + 16, 1);
    QTest::newRow("zero width") << patched32(info + 4, 0);
    QTest::newRow("huge width") << patched32(info + 4, 0x7FFFFFFFu);
    QTest::newRow("negative height") << patched32(info + 8, quint32(-64));
    QTest::newRow("odd height") << patched32(info + 8, 63);
    QTest::newRow("height beyond the data") << patched32(info + 8, 66);
    QTest::newRow("palette of 3 colours") << patched32(info + 32, 3);
    QTest::newRow("hotspot outside the picture") << patched16(10, 32);
    {
        QByteArray png = good;
        png.replace(info, 8, QByteArray("\x89PNG\r\n\x1a\n", 8));
        QTest::newRow("PNG-compressed entry") << png;
    }
    QTest::newRow("text") << QByteArray("this is not a cursor file, just some words of text.");
    QTest::newRow("zeros") << QByteArray(good.size(), '\0');
    QTest::newRow("all bits set") << QByteArray(good.size(), '\xff');
}

void TestCursorFile::rejectsMalformedData()
{
    QFETCH(QByteArray, bytes);

    // A detached copy of exactly this length, so a read past the end shows up under
    // sanitizers instead of landing in a neighbouring allocation's slack.
    const QByteArray exact(bytes.constData(), bytes.size());
    QVERIFY(!parseCursorFile(exact).has_value());
}

void TestCursorFile::targetPictureDecodes()
{
    const QImage target = loadArgb(QStringLiteral(":/assets/target.gif"));
    QCOMPARE(target.size(), QSize(25, 25));
    QVERIFY(cornersTransparent(target));

    const QList<QRgb> allowed = {qRgb(255, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 0)};
    int yellow = 0;
    int red = 0;
    for (int y = 0; y < 25; ++y) {
        for (int x = 0; x < 25; ++x) {
            const QRgb c = target.pixel(x, y);
            if (std::hypot(x - 12, y - 12) <= 11.0)
                QVERIFY2(qAlpha(c) == 255, qPrintable(QStringLiteral("hole at %1,%2").arg(x).arg(y)));
            if (qAlpha(c) == 0)
                continue;
            QVERIFY2(qAlpha(c) == 255 && allowed.contains(c),
                     qPrintable(QStringLiteral("colour %1 at %2,%3").arg(c, 8, 16).arg(x).arg(y)));
            yellow += c == qRgb(255, 255, 0);
            red += c == qRgb(255, 0, 0);
        }
    }
    QVERIFY(yellow > 0);
    QVERIFY(red > 0);
}

void TestCursorFile::bannerPictureDecodes()
{
    QImageReader reader(QStringLiteral(":/assets/banner.gif"));
    QCOMPARE(reader.format(), QByteArray("gif"));
    const QImage banner = reader.read();
    QCOMPARE(banner.size(), QSize(320, 100));
}

void TestCursorFile::iconDecodesBothSizes()
{
    QImageReader reader(QStringLiteral(":/assets/icon.ico"));
    QCOMPARE(reader.imageCount(), 2);
    QList<int> sides;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.width(), image.height());
        sides << image.width();
        QVERIFY(cornersTransparent(image));
        // The face itself must be there: its middle is opaque.
        QCOMPARE(qAlpha(image.pixel(image.width() / 2, image.height() / 2)), 255);
    }
    QCOMPARE(sides, QList<int>({32, 16}));
}

QTEST_GUILESS_MAIN(TestCursorFile)
#include "tst_cursorfile.moc"
