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
};

QTEST_MAIN(TestNameLabel)
#include "tst_namelabel.moc"
