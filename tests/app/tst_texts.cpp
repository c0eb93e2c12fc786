#include "app/texts.h"

#include <QtTest>

class TestTexts : public QObject
{
    Q_OBJECT

private slots:
    void rulesHaveTenLinesWithSignatureAndContacts()
    {
        const QStringList lines = Texts::rulesLines();
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines[9], QString(57, u' ') + QStringLiteral("Wrenhold"));
        QCOMPARE(lines.mid(2, 3), QStringList(3, QString()));
        QVERIFY(lines[1].contains(QStringLiteral(" ''10-ка лучших'' ")));
        QVERIFY(lines[8].endsWith(QStringLiteral("пометкой ''Popadaika''")));
        QVERIFY(lines[6].endsWith(QStringLiteral("мне(popadaika@example.org).")));
        QVERIFY(lines[7].endsWith(QStringLiteral("мне(popadaika@example.org)")));
    }
    void creditLinesKeepTheirIndent()
    {
        const QList<int> blanks{61, 55, 59, 59, 59, 59, 62, 60, 61, 43, 59, 59, 61, 62, 43, 62, 53};
        const QStringList lines = Texts::creditLines();
        QCOMPARE(lines.size(), blanks.size());
        for (qsizetype i = 0; i < lines.size(); ++i)
            QCOMPARE(lines[i], QString(blanks[i], u' ') + lines[i].trimmed());
        QCOMPARE(lines[0].trimmed(), QStringLiteral("Автор:"));
        QCOMPARE(lines[16].trimmed(), QStringLiteral("Pelmo, он же ZORBAQ"));
    }
};

QTEST_GUILESS_MAIN(TestTexts)
#include "tst_texts.moc"
