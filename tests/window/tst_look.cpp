// What a player sees on a high-density screen: this test runs at a scale factor of 2.

#include "doubles/formfixture.h"

// Before the application starts.
static const bool denseScreen = qputenv("QT_SCALE_FACTOR", "2");

class TestLook : public QObject
{
    Q_OBJECT

private slots:
    void cursorKeepsItsSizeOnADenseScreen()
    {
        FormFixture fx;
        const Form1 &f = fx.load();
        QCOMPARE(f.cursor().pixmap().size(), QSize(64, 64));
        QCOMPARE(f.cursor().hotSpot(), QPoint(31, 31));
    }
};

QTEST_MAIN(TestLook)
#include "tst_look.moc"
