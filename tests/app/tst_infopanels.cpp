// The help panel's buttons: the rules, the table of best results and the credits share one area.

#include "doubles/formfixture.h"
#include "app/texts.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QString LineBreak = QStringLiteral(" \r\n");

QString joined(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines)
        text += line + LineBreak;
    return text;
}

// Whether each of the 33 table labels is shown, row by row: place, name, score.
QString tableShown(const Form1 &f)
{
    QString bits;
    for (int row = 0; row < Form1::Rows; ++row)
        for (const QLabel *label : {f.Mesto[row], f.NameP[row], f.ScoresP[row]})
            bits += label->isHidden() ? u'0' : u'1';
    return bits;
}

QStringList tableCaptions(const Form1 &f)
{
    QStringList captions;
    for (int row = 0; row < Form1::Rows; ++row)
        captions << f.Mesto[row]->text() << f.NameP[row]->text() << f.ScoresP[row]->text();
    return captions;
}

void press(Form1 &f, int button)
{
    button == 5 ? f.command5Click() : button == 6 ? f.command6Click() : f.command7Click();
}

} // namespace

class TestInfoPanels : public QObject
{
    Q_OBJECT

private slots:
    void buttonsSwitchPanelContent_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("table");
        QTest::newRow("rules") << 5 << joined(Texts::rulesLines()) << 10 << false;
        QTest::newRow("table") << 6 << QString() << 0 << true;
        QTest::newRow("credits") << 7 << joined(Texts::creditLines()) << 17 << false;
    }
    void buttonsSwitchPanelContent()
    {
        QFETCH(int, button);
        QFETCH(QString, text);
        QFETCH(int, lines);
        QFETCH(bool, table);
        FormFixture fx;
        Form1 &f = fx.load();
        const QStringList captions = tableCaptions(f);
        const auto check = [&](const char *when) {
            QVERIFY2(f.Label7->text() == text, when);
            QVERIFY2(f.Label7->text().count(LineBreak) == lines, when);
            QVERIFY2(tableShown(f) == QString(3 * Form1::Rows, table ? u'1' : u'0'), when);
            QVERIFY2(tableCaptions(f) == captions, when);
            QVERIFY2(f.Place == Form1::Rows, when);
        };
        f.command4Click();
        press(f, button == 6 ? 7 : 6); // start from the other kind of content
        press(f, button);
        check("pressed once");
        press(f, button);
        check("pressed twice");
        f.command4Click();
        f.command4Click();
        check("help switched off and on");
    }

    void tableShowsPreviousResultsUntilRoundEnds()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        const QStringList before = tableCaptions(f);
        f.Nick = QStringLiteral("Вася");
        f.command2Click();
        for (int s = 0; s < 10; ++s)
            f.timer2Tick();
        fx.random.draws = {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f};
        for (int i = 0; i < 3; ++i)
            f.targetClick(i);

        f.command4Click();
        f.command6Click();
        QCOMPARE(tableShown(f), QString(3 * Form1::Rows, u'1'));
        QCOMPARE(tableCaptions(f), before);
        f.command4Click();

        // All ten on screen end the round; its result now enters the table.
        for (int i = 0; i < Form1::Targets; ++i) {
            fx.random.draws.append(float((i + 1) % 10) / 10 + 0.05f);
            f.appearanceTick();
        }
        QCOMPARE(f.Command2->text(), "Заново");
        QVERIFY(f.FinalScore > 0);
        QVERIFY(f.NameP[0]->text().startsWith(f.Nick));
        QVERIFY(tableCaptions(f) != before);
    }
};

QTEST_MAIN(TestInfoPanels)
#include "tst_infopanels.moc"
