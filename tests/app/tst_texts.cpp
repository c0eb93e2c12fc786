#include "app/texts.h"

#include <QtTest>

class TestTexts : public QObject
{
    Q_OBJECT

private slots:
    void rulesLinesAreExact_data();
    void rulesLinesAreExact();
    void creditLinesKeepTheirIndent_data();
    void creditLinesKeepTheirIndent();
};

void TestTexts::rulesLinesAreExact_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("text");

    QTest::newRow("1 rules") << 1 << "Правила жутко просты - кликай на мишенях и все.";
    QTest::newRow("2 warning")
        << 2
        << "ПРЕДУПРЕЖДЕНИЕ: Таблица ''10-ка лучших'' хранится в памяти, до завершения программы, и "
           "только после завершения работы она сохраняется в файле. Поэтому, если произойдет "
           "'зависание' системы вовремя работы программы, то таблица рекордов будет потеряна. Так, "
           "что перезапускайте Попадайку почаще, если у вас глючная система.";
    QTest::newRow("3 empty") << 3 << "";
    QTest::newRow("4 empty") << 4 << "";
    QTest::newRow("5 empty") << 5 << "";
    QTest::newRow("6 three more") << 6 << "Да, есть еще три(но не правила)";
    QTest::newRow("7 cursors")
        << 7
        << "1)Большая просьба, если у вас есть ЛУЧШИЕ курсоры на место прицела, то пожалуйста "
           "пришлити их мне(popadaika@example.org).";
    QTest::newRow("8 suggestions, no full stop")
        << 8
        << "2)Все свои предложения, по поводу улучшения, присылайте мне(popadaika@example.org)";
    QTest::newRow("9 subject") << 9 << "3)Письма присылать с пометкой ''Popadaika''";
    QTest::newRow("10 signature") << 10 << QString(57, u' ') + QStringLiteral("Wrenhold");
}

void TestTexts::rulesLinesAreExact()
{
    QFETCH(int, line);
    QFETCH(QString, text);
    const QStringList lines = Texts::rulesLines();
    QCOMPARE(lines.size(), 10);
    QCOMPARE(lines.at(line - 1), text);
}

void TestTexts::creditLinesKeepTheirIndent_data()
{
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("blanks");
    QTest::addColumn<QString>("text");

    const QString testers = QStringLiteral("Vellik, он же Tarvo, он же Lindqvar");
    QTest::newRow("1 author") << 1 << 61 << "Автор:";
    QTest::newRow("2 none") << 2 << 55 << "Нету(Не знаю)";
    QTest::newRow("3 blank") << 3 << 59 << "";
    QTest::newRow("4 creator") << 4 << 59 << "Создатель:";
    QTest::newRow("5 creator name") << 5 << 59 << "Wrenhold";
    QTest::newRow("6 blank") << 6 << 59 << "";
    QTest::newRow("7 idea") << 7 << 62 << "Идея:";
    QTest::newRow("8 idea first") << 8 << 60 << "Wrenhold";
    QTest::newRow("9 idea second") << 9 << 61 << "Mossby";
    QTest::newRow("10 idea third") << 10 << 43 << testers;
    QTest::newRow("11 blank") << 11 << 59 << "";
    QTest::newRow("12 testers") << 12 << 59 << "Бета-Тестеры:";
    QTest::newRow("13 tester first") << 13 << 61 << "Wrenhold";
    QTest::newRow("14 tester second") << 14 << 62 << "Mossby";
    QTest::newRow("15 tester third") << 15 << 43 << testers;
    QTest::newRow("16 tester fourth") << 16 << 62 << "Rokkaff";
    QTest::newRow("17 tester fifth") << 17 << 53 << "Pelmo, он же ZORBAQ";
}

void TestTexts::creditLinesKeepTheirIndent()
{
    QFETCH(int, line);
    QFETCH(int, blanks);
    QFETCH(QString, text);
    const QStringList lines = Texts::creditLines();
    QCOMPARE(lines.size(), 17);
    QCOMPARE(lines.at(line - 1), QString(blanks, u' ') + text);
}

QTEST_GUILESS_MAIN(TestTexts)
#include "tst_texts.moc"
