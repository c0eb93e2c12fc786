#include "window/namelabel.h"

#include <QTest>
#include <QtWidgets>

class TestNameLabel : public QObject
{
    Q_OBJECT

private slots:
    // A name of markup and a right-to-left override, too long for its place: the tooltip shows
    // the text as typed, brackets and doubled blanks included; the drawing keeps the name to its
    // own direction, so the "100%" after it is not reversed; the text stays as it was set.
    void nameIsShownAsTextInItsOwnDirection()
    {
        const QString name = "\u202E<h1>x</h1>  <img src=/etc/passwd>" + QString(100, u'Я');
        const QString text = "Точность " + name + " 100%";
        NameLabel label;
        label.resize(300, 20);
        label.setTextWithName(text, 9, name.size());
        QCOMPARE(label.text(), text);
        QTextDocument tooltip;
        tooltip.setHtml(label.toolTip());
        QCOMPARE(tooltip.toPlainText(), text);
        const QRegularExpression shown("^Точность \u2068\u202E<h1>.*…Я+\u2069 100%$");
        QVERIFY2(shown.match(label.shownText()).hasMatch(), qPrintable(label.shownText()));
    }

    // Drawn with its name isolated, a label looks as a plain QLabel with the same text, whatever
    // its frame, alignment and margin.
    void drawsAsALabelDoes_data()
    {
        QTest::addColumn<int>("frame");
        QTest::addColumn<int>("alignment");
        QTest::addColumn<int>("margin");
        QTest::newRow("top left") << int(QFrame::NoFrame) << int(Qt::AlignLeft | Qt::AlignTop) << 0;
        QTest::newRow("box, right")
            << int(QFrame::Box) << int(Qt::AlignRight | Qt::AlignBottom) << 0;
        QTest::newRow("panel, top centre, margin")
            << int(QFrame::Panel | QFrame::Sunken) << int(Qt::AlignHCenter | Qt::AlignTop) << 3;
    }
    void drawsAsALabelDoes()
    {
        QFETCH(int, frame);
        QFETCH(int, alignment);
        QFETCH(int, margin);
        NameLabel named;
        QLabel plain;
        for (QLabel *label : {static_cast<QLabel *>(&named), &plain}) {
            label->setFrameStyle(frame);
            label->setAlignment(Qt::Alignment(alignment));
            label->setMargin(margin);
            label->resize(200, 40);
        }
        plain.setText("Точность Вася: 100%");
        named.setTextWithName(plain.text(), 9, 4);
        QCOMPARE(named.grab().toImage(), plain.grab().toImage());
    }
};

QTEST_MAIN(TestNameLabel)
#include "tst_namelabel.moc"
