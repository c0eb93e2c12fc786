// What a player sees on a high-density screen (this test runs at a scale factor of 2) and with a
// name too long for its place: the drawing adapts, the texts stay whole.

#include "doubles/formfixture.h"
#include "platform/targetpicture.h"

#include <QApplication>
#include <QTest>

class TestLook : public QObject
{
    Q_OBJECT

private slots:
    void cursorKeepsItsSizeOnADenseScreen()
    {
        FormFixture fx;
        const Form1 &f = fx.load();
        QCOMPARE(f.devicePixelRatio(), 2);
        for (const QWidget *w :
             {static_cast<const QWidget *>(&f), static_cast<const QWidget *>(f.Image[0])}) {
            QCOMPARE(w->cursor().pixmap().size(), QSize(64, 64));
            QCOMPARE(w->cursor().hotSpot(), QPoint(31, 31));
        }
    }

    void longNameIsShortenedOnScreenOnly()
    {
        const QString nick = QStringLiteral("Александр Великий ") + QString(10000, u'Я');
        FormFixture fx;
        const Form1 &f = fx.load();
        fx.playRound(nick);
        const QString gameOver = fx.dialogs.shown.last().text;
        // 3 hits of 3 clicks in 8 s at level 3: 3 * (8 / 3) * 1 / 10 = 0.8, rounded 1, times 3.
        QCOMPARE(gameOver, "Игра окончена, " + nick + " вы набрали 3 очков!");
        QCOMPARE(f.Label1->text(), "Меткость " + nick + "'a = 100%");
        QCOMPARE(f.NameP[0]->text(), nick + " (Н)");
        for (const NameLabel *label : {f.Label1, f.NameP[0]}) {
            const QString shown = label->shownText();
            QVERIFY2(shown.contains(u'…') && shown.startsWith(label->text().left(3))
                         && shown.endsWith(label->text().right(4)),
                     qPrintable(shown));
            QVERIFY(label->fontMetrics().horizontalAdvance(shown) <= label->contentsRect().width());
            QCOMPARE(label->toolTip(), label->text());
        }
    }
};

int main(int argc, char *argv[])
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestLook test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_look.moc"
