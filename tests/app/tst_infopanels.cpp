// The help panel's buttons: the rules, the table of best results and the credits share one area.

#include "doubles/formfixture.h"
#include "game/texts.h"

#include <QLabel>
#include <QTest>

// Label7, Place, which table labels are shown (row by row: place, name, score), their texts.
static QStringList panel(const Form1 &f)
{
    QStringList panel{f.Label7->text(), QString::number(f.Place), QString()};
    for (int row = 0; row < Form1::Rows; ++row)
        for (const QLabel *label : {f.Mesto[row], f.NameP[row], f.ScoresP[row]})
            (panel << label->text())[2] += label->isHidden() ? u'0' : u'1';
    return panel;
}

class TestInfoPanels : public QObject
{
    Q_OBJECT

private slots:
    // Pressed during a round that has scored: the table still holds the results from before it.
    void buttonsSwitchPanelContent()
    {
        const QStringList rules = Texts::rulesLines(), credits = Texts::creditLines();
        QCOMPARE(QList<qsizetype>({rules.size(), credits.size()}), QList<qsizetype>({10, 17}));
        FormFixture fx;
        Form1 &f = fx.load();
        const QStringList before = panel(f);
        f.Nick = QStringLiteral("Вася");
        f.command2Click();
        fx.random.draws = {0.5f, 0.5f};
        f.targetClick(0);
        f.command4Click();
        const std::pair<void (Form1::*)(), QStringList> buttons[] = {
            {&Form1::command5Click, rules},
            {&Form1::command6Click, {}},
            {&Form1::command7Click, credits}};
        for (const auto &[button, lines] : buttons) {
            const QStringList expected =
                QStringList{lines.join(" \r\n") + (lines.isEmpty() ? "" : " \r\n"), before[1],
                            QString(3 * Form1::Rows, lines.isEmpty() ? u'1' : u'0')}
                + before.mid(3);
            // Pressed twice, then help switched off and on: the content stays.
            for (const auto press :
                 {button, button, &Form1::command4Click, &Form1::command4Click}) {
                (f.*press)();
                QCOMPARE(panel(f), expected);
            }
        }
    }
};

QTEST_MAIN(TestInfoPanels)
#include "tst_infopanels.moc"
