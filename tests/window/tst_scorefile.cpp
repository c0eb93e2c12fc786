// The table on disk as the player's runs leave it: loaded at start, saved at every close, and
// never lost or damaged whatever the disk or the session does.

#include "doubles/formfixture.h"

#include <QtWidgets>

// Once the window has loaded, a folder takes the table's place: the save at the close fails.
static void putAFolderInTheWay(const FormFixture &fx)
{
    QVERIFY(QFile::remove(fx.dir.filePath("Scores.dat")));
    QVERIFY(QDir(fx.dir.path()).mkdir("Scores.dat"));
}

class TestScoreFile : public QObject
{
    Q_OBJECT

private slots:
    // A name with blanks around it, a comma, quotes, a level tag of its own and far too long
    // for its place: shortened on screen only, saved whole and loaded whole in the next run.
    void longOddNameIsShortenedOnScreenOnlyAndComesBackWhole()
    {
        const QString nick = "   Иван, \"Грозный\" '' (ОТ) " + QString(10000, u'Я');
        FormFixture fx;
        fx.load();
        fx.playRound(nick);
        const NameLabel *row = fx.form->NameP[0];
        const QRegularExpression shortened("^   И.*…Я+ \\(Н\\)$");
        QVERIFY2(shortened.match(row->shownText()).hasMatch(), qPrintable(row->shownText()));
        QVERIFY(row->fontMetrics().horizontalAdvance(row->shownText()) <= row->width());
        fx.form->close();
        QCOMPARE(fx.load().NameP[0]->text(), nick + " (Н)");
    }

    void damagedFileIsPutAside()
    {
        FormFixture fx;
        QVERIFY(fx.dir.put("Scores.dat", ""));
        fx.load().close();
        QCOMPARE(fx.dialogs.shown,
                 QStringList("Попадайка: Файл таблицы рекордов «Scores.dat» в папке «"
                             + fx.dir.path()
                             + "» повреждён (он пуст или обрезан). Игра начнёт с пустой "
                               "таблицы.\nСтарый файл не удалён: он переименован в "
                               "«Scores.dat.damaged» и лежит в той же папке."));
        QCOMPARE(fx.dir.entries(), QStringList({"Scores.dat", "Scores.dat.damaged"}));
    }

    // Once the close has begun nothing of the round happens: no tick runs behind the notice.
    void failedSaveIsToldWithTheRoundStopped()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        putAFolderInTheWay(fx);
        fx.dialogs.whileOpen = [&fx](const QString &) { fx.wait(20000); };
        f.close();
        QCOMPARE(fx.dialogs.shown.last(),
                 "Попадайка: Не удалось создать файл «Scores.dat» в папке «" + fx.dir.path()
                     + "»: под этим именем лежит папка, а не файл.\nТаблица рекордов этого "
                       "запуска не сохранена; прежний файл, если он был, не изменился.");
        QCOMPARE(f.Label2->text(), QStringLiteral("Прошло времени: 00:00"));
    }

    // A signal or the end of the session closes the window from outside: a dialog that is open
    // gets no follow-up.
    void closeFromOutsideAsksNoMore()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.dialogs.promptAnswers = {QString()};
        fx.dialogs.whileOpen = [&f](const QString &) { f.closeQuietly(); };
        fx.click(f.Command1);
        QCOMPARE(fx.dialogs.shown, QStringList("Ваш ник: Введите свой ник."));
    }

    // Nor is a result not yet entered entered, and a failed save goes to standard error.
    void closeFromOutsideDuringGameOverEntersNothingAndTellsNoBox()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        putAFolderInTheWay(fx);
        fx.dialogs.whileOpen = [&f](const QString &dialog) {
            if (dialog.startsWith("Game Over"))
                f.closeQuietly();
        };
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Не удалось создать файл"));
        fx.playRound(QStringLiteral("Вася"));
        QCOMPARE(fx.dialogs.shown.last(), "Game Over: Игра окончена, Вася вы набрали 3 очков!");
        QCOMPARE(f.NameP[0]->text(), QStringLiteral("<Пусто>"));
    }
};

QTEST_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
