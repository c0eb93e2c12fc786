#include "game/texts.h"

#include <QtTest>

class TestTexts : public QObject
{
    Q_OBJECT

private slots:
    void rulesAndCreditLines()
    {
        const QStringList rules = Texts::rulesLines();
        QCOMPARE(rules.size(), 10);
        QCOMPARE(rules[9], QString(57, u' ') + QStringLiteral("Wrenhold"));
        QCOMPARE(rules.mid(2, 3), QStringList(3, QString()));
        QVERIFY(rules[1].contains(QStringLiteral(" ''10-ка лучших'' ")));
        QVERIFY(rules[8].endsWith(QStringLiteral("пометкой ''Popadaika''")));
        QVERIFY(rules[6].endsWith(QStringLiteral("мне(popadaika@example.org).")));
        const QList<int> blanks{61, 55, 59, 59, 59, 59, 62, 60, 61, 43, 59, 59, 61, 62, 43, 62, 53};
        const QStringList credits = Texts::creditLines();
        QCOMPARE(credits.size(), blanks.size());
        for (qsizetype i = 0; i < credits.size(); ++i)
            QCOMPARE(credits[i], QString(blanks[i], u' ') + credits[i].trimmed());
        QCOMPARE(credits[0].trimmed() + "|" + credits[16].trimmed(), "Автор:|Pelmo, он же ZORBAQ");
    }
};

QTEST_GUILESS_MAIN(TestTexts)
#include "tst_texts.moc"
