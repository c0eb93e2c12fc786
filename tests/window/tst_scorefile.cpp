// The table on disk as the player's runs leave it: loaded at start, saved at every close, and
// never lost or damaged whatever the disk or the session does.

#include "doubles/formfixture.h"

#include <QtWidgets>

#include <unistd.h>

class TestScoreFile : public QObject
{
    Q_OBJECT

private slots:
    // A name with blanks around and inside it, a comma, quotes, markup, a level tag of its own
    // and far too long for its place: shortened on screen only, for any font, whole and
    // as typed in its tooltip, saved whole and loaded whole in the next run.
    void longOddNameIsShortenedOnScreenOnlyAndComesBackWhole()
    {
        const QString nick = "   Иван,  \"<b>Грозный</b>\" '' (ОТ) " + QString(10000, u'Я');
        FormFixture fx;
        fx.load();
        for (int step = 0; step < 2; ++step) // the scale's right arrow: level 5, tagged " (ОТ)"
            fx.clickAt(fx.form->HScroll1->geometry().topRight() + QPoint(-4, 4));
        fx.playRound(nick);
        NameLabel *row = fx.form->NameP[0];
        // Drawn with the name isolated, so that no character in it can turn the words around.
        const QRegularExpression shortened("^\u2068   И.*…Я+\u2069 \\(ОТ\\)$");
        QVERIFY2(shortened.match(row->shownText()).hasMatch(), qPrintable(row->shownText()));
        QVERIFY(row->fontMetrics().horizontalAdvance(row->shownText()) <= row->width());
        row->setFont(QFont(row->font().family(), 20)); // a larger font: shortened anew
        QVERIFY(row->fontMetrics().horizontalAdvance(row->shownText()) <= row->width());
        QTextDocument tooltip; // as Qt reads a tooltip: the name as typed, never as markup
        tooltip.setHtml(row->toolTip());
        QCOMPARE(tooltip.toPlainText(), nick + " (ОТ)");
        fx.form->close();
        QCOMPARE(fx.load().NameP[0]->text(), nick + " (ОТ)");
    }

    // A damaged table is put aside, and what an earlier run left over is cleared away, a link as
    // a link (the file it points to stays); and again at the close, what came meanwhile.
    void damagedFileIsPutAside()
    {
        FormFixture fx;
        QVERIFY(fx.dir.put("Scores.dat", "") && fx.dir.put("kept", "a player's"));
        QVERIFY(QFile::link("kept", fx.dir.filePath("Scores.temp"))
                && fx.dir.put("Scores.temp2", ""));
        fx.load();
        QCOMPARE(fx.dir.entries(), QStringList({"kept", "Scores.dat.damaged"}));
        QVERIFY(fx.dir.put("Scores.temp", "") && fx.dir.put("Scores.temp2", ""));
        fx.form->close();
        QCOMPARE(fx.dialogs.shown,
                 QStringList("Попадайка: Файл таблицы рекордов «Scores.dat» в папке «"
                             + fx.dir.path()
                             + "» повреждён (он пуст или обрезан). Игра начнёт с пустой "
                               "таблицы.\nСтарый файл не удалён: он переименован в "
                               "«Scores.dat.damaged» и лежит в той же папке."));
        QCOMPARE(fx.dir.entries(), QStringList({"kept", "Scores.dat", "Scores.dat.damaged"}));
    }

    // A folder in the table's place is left as it is: the game says so and plays on the default
    // table.
    void folderInTheTablesPlaceIsLeftAlone()
    {
        FormFixture fx;
        QVERIFY(QDir(fx.dir.path()).mkdir("Scores.dat"));
        const Form1 &f = fx.load();
        QVERIFY(fx.dialogs.shown.value(0).contains("под именем «Scores.dat» лежит не файл"));
        QCOMPARE(f.NameP[10]->text() + ' ' + f.ScoresP[10]->text(), "<Пусто> 0");
    }

    // Once the close has begun nothing of the round happens: no tick runs behind the notice.
    void failedSaveIsToldWithTheRoundStopped()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        // A folder takes the table's place: the save at the close fails.
        QVERIFY(QFile::remove(fx.dir.filePath("Scores.dat"))
                && QDir(fx.dir.path()).mkdir("Scores.dat"));
        fx.dialogs.whileOpen = [&fx](const QString &) { fx.wait(20000); };
        f.close();
        QCOMPARE(fx.dialogs.shown.last(),
                 "Попадайка: Не удалось создать файл «Scores.dat» в папке «" + fx.dir.path()
                     + "»: под этим именем лежит папка, а не файл.\nТаблица рекордов этого "
                       "запуска не сохранена; прежний файл, если он был, не изменился.");
        QCOMPARE(f.Label2->text(), QStringLiteral("Прошло времени: 00:00"));
    }

    // "Game Over" only acknowledges a result: a close from outside while it is open enters the
    // result it announced, and the table is saved with it, and the history keeps the round.
    void closeFromOutsideDuringGameOverKeepsTheAnnouncedResult()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.dialogs.whileOpen = [&f](const QString &dialog) {
            if (dialog.startsWith("Game Over"))
                f.closeQuietly();
        };
        fx.playRound(QStringLiteral("Вася"));
        QCOMPARE(fx.dialogs.shown.last(), "Game Over: Игра окончена, Вася вы набрали 3 очков!");
        QCOMPARE(fx.history.rounds(QStringLiteral("Вася")).size(), 1);
        FormFixture next(fx.dir.path());
        QCOMPARE(next.load().NameP[0]->text(), QStringLiteral("Вася (Н)"));
    }

    // Two games on one folder, each with a result for the table, closed one after the other:
    // the second save enters its result into the table the first one saved, an equal score
    // below. A lock left behind by a run that died is taken over without a word.
    void twoGamesOnOneFolderKeepBothResults_data()
    {
        QTest::addColumn<bool>("staleLock");
        QTest::newRow("no lock left") << false;
        QTest::newRow("a lock left by a run that died") << true;
    }
    void twoGamesOnOneFolderKeepBothResults()
    {
        QFETCH(bool, staleLock);
        ::close(STDIN_FILENO); // as a game started without input: a file may get descriptor 0
        FormFixture first;
        FormFixture second(first.dir.path());
        first.load();
        second.load();
        first.playRound(QStringLiteral("Вася"));
        second.playRound(QStringLiteral("Петя"));
        if (staleLock)
            QVERIFY(first.dir.put("Scores.dat.lock", "2147483000\npopadaika\n"
                                                         + QSysInfo::machineHostName().toUtf8()
                                                         + "\n"));
        first.form->close();
        second.form->close();
        // The prompt, refusing an empty name and asking again, and "Game Over": no notice.
        QCOMPARE(second.dialogs.shown.size(), 4);
        FormFixture third(first.dir.path());
        const Form1 &f = third.load();
        const QStringList table = {f.NameP[0]->text() + ' ' + f.ScoresP[0]->text(),
                                   f.NameP[1]->text() + ' ' + f.ScoresP[1]->text(),
                                   f.NameP[2]->text() + ' ' + f.ScoresP[2]->text()};
        QCOMPARE(table, QStringList({"Вася (Н) 3", "Петя (Н) 3", "<Пусто> 0"}));
        QCOMPARE(first.dir.entries(), QStringList("Scores.dat"));
    }

    // What the save finds at the close instead of the table it loaded: a spoilt file is put
    // aside and this run's table takes its place; a lock another run does not let go of is
    // waited for a while, then the table is saved all the same, and the player told.
    void saveFindsTheTableSpoiltOrLocked_data()
    {
        QTest::addColumn<bool>("locked");
        QTest::addColumn<QString>("told");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("spoilt") << false << "испорчен, пока шла игра (он пуст или обрезан)"
                                << QStringList({"Scores.dat", "Scores.dat.damaged"});
        QTest::newRow("locked") << true << "слишком долго держала другая запущенная копия"
                                << QStringList({"Scores.dat", "Scores.dat.lock"});
    }
    void saveFindsTheTableSpoiltOrLocked()
    {
        QFETCH(bool, locked);
        QFETCH(QString, told);
        QFETCH(QStringList, entries);
        FormFixture fx;
        fx.load();
        fx.playRound(QStringLiteral("Вася"));
        QLockFile otherRun(fx.dir.filePath("Scores.dat.lock"));
        QVERIFY(locked ? otherRun.tryLock() : fx.dir.put("Scores.dat", ""));
        fx.form->close();
        QVERIFY2(fx.dialogs.shown.last().contains(told), qPrintable(fx.dialogs.shown.last()));
        QCOMPARE(fx.dir.entries(), entries);
        FormFixture next(fx.dir.path());
        QCOMPARE(next.load().NameP[0]->text(), QStringLiteral("Вася (Н)"));
    }
};

QTEST_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
