// The help panel's buttons: the rules, the table of best results and the credits share one area.

#include "doubles/formfixture.h"
#include "app/texts.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

// Presses Command5..Command7 for 0..2, the help button Command4 for 3.
static void press(Form1 &f, int button)
{
    switch (button) {
    case 0: f.command5Click(); break;
    case 1: f.command6Click(); break;
    case 2: f.command7Click(); break;
    default: f.command4Click();
    }
}

// Label7, Place, which table labels are shown (row by row: place, name, score), their texts.
static QStringList panel(const Form1 &f)
{
    QStringList panel{f.Label7->text(), QString::number(f.Place), QString()};
    for (int row = 0; row < Form1::Rows; ++row)
        for (const QLabel *label : {f.Mesto[row], f.NameP[row], f.ScoresP[row]}) {
            panel[2] += label->isHidden() ? u'0' : u'1';
            panel << label->text();
        }
    return panel;
}

class TestInfoPanels : public QObject
{
    Q_OBJECT

private slots:
    // Pressed during a round that has scored: the table still holds the results from before it.
    void buttonsSwitchPanelContent_data()
    {
        QTest::addColumn<int>("button"); // 0..2 for Command5..Command7
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("rules") << 0 << Texts::rulesLines();
        QTest::newRow("table") << 1 << QStringList();
        QTest::newRow("credits") << 2 << Texts::creditLines();
    }
    void buttonsSwitchPanelContent()
    {
        QFETCH(int, button);
        QFETCH(QStringList, lines);
        QCOMPARE(lines.size(), (QList{10, 0, 17}[button]));
        FormFixture fx;
        Form1 &f = fx.load();
        QStringList expected = panel(f);
        expected[0] = lines.isEmpty() ? QString() : lines.join(" \r\n") + " \r\n";
        QCOMPARE(expected[1], QString::number(Form1::Rows));
        expected[2] = QString(3 * Form1::Rows, button == 1 ? u'1' : u'0');
        f.Nick = QStringLiteral("Вася");
        f.command2Click();
        fx.random.draws = QList<float>(6, 0.5f);
        for (int i = 0; i < 3; ++i)
            f.targetClick(i);
        f.command4Click();
        press(f, button == 1 ? 2 : 1); // start from the other kind of content
        // Pressed twice, then help switched off and on: the content stays.
        for (const int pressed : {button, button, 3, 3}) {
            press(f, pressed);
            QCOMPARE(panel(f), expected);
        }
    }
};

QTEST_MAIN(TestInfoPanels)
#include "tst_infopanels.moc"
