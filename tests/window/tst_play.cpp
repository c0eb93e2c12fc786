#include "doubles/formfixture.h"
#include "platform/targetpicture.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

class TestPlay : public QObject
{
    Q_OBJECT

private slots:
    void aRoundRunsThroughButtonsAndTicks()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        QCOMPARE(f.Command2->text(), QStringLiteral("Пауза"));
        fx.random.draws = {0.15f, 0.15f};
        fx.wait(1000);
        QCOMPARE(f.Label2->text(), QStringLiteral("Прошло времени: 00:01"));
        QVERIFY(f.Image[0]->isVisible());
        fx.random.draws = {0.5f, 0.5f};
        fx.click(f.Image[0]);
        QCOMPARE(f.Text1->text(), QStringLiteral("1"));
    }
};

QTEST_MAIN(TestPlay)
#include "tst_play.moc"
