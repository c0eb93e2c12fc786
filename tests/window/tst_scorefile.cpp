// The table on disk as the player's runs leave it: loaded at start, saved at every close, and
// never lost or damaged whatever the disk or the session does.

#include "doubles/formfixture.h"
#include "doubles/tempdir.h"
#include "platform/diskfiles.h"
#include "platform/targetpicture.h"
#include "scores/scorecodec.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QString OddName = QStringLiteral("   Иван, \"Грозный\" '' (ОТ)  ");

QByteArray tableWithRow3(const QString &name, const QString &score)
{
    ScoreCodec::Fields names;
    ScoreCodec::Fields scores;
    names.fill(QStringLiteral("<Пусто>"));
    scores.fill(QStringLiteral("0"));
    names[3] = name;
    scores[3] = score;
    return ScoreCodec::encode(ScoreCodec::plainTable(names, scores));
}

} // namespace

class TestScoreFile : public QObject
{
    Q_OBJECT

private slots:
    void tableSurvivesRunsByteForByte()
    {
        TempDir dir;
        DiskFiles disk;
        {
            FormFixture fx(&disk);
            QCOMPARE(fx.load().NameP[10]->text(), QStringLiteral("<Пусто>"));
            fx.close();
            QCOMPARE(TempDir::entries(), QStringList{"Scores.dat"});
        }
        QVERIFY(TempDir::put("Scores.dat", tableWithRow3(OddName, "-12")));
        QByteArray saved;
        for (int run = 0; run < 2; ++run) {
            FormFixture fx(&disk);
            const Form1 &f = fx.load();
            QCOMPARE(f.NameP[3]->text(), OddName);
            QCOMPARE(f.ScoresP[3]->text(), QStringLiteral("-12"));
            fx.close();
            QVERIFY(fx.dialogs.shown.isEmpty());
            if (run == 1)
                QCOMPARE(TempDir::contents("Scores.dat"), saved);
            saved = TempDir::contents("Scores.dat");
        }
    }

    void damagedFileIsPutAsideAndNeverOverwritten_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("cut short") << tableWithRow3("x", "1").left(300);
        QTest::newRow("score is no number") << tableWithRow3("x", "12a");
    }
    void damagedFileIsPutAsideAndNeverOverwritten()
    {
        QFETCH(QByteArray, bytes);
        TempDir dir;
        DiskFiles disk;
        for (const QString aside : {"Scores.dat.damaged", "Scores.dat.damaged-2"}) {
            QVERIFY(TempDir::put("Scores.dat", bytes));
            FormFixture fx(&disk);
            QCOMPARE(fx.load().ScoresP[0]->text(), QStringLiteral("0"));
            fx.close();
            QCOMPARE(fx.dialogs.shown.size(), 1);
            const QString told = fx.dialogs.shown[0].text;
            QVERIFY2(told.contains("повреждён") && told.contains(dir.path())
                         && told.contains(aside),
                     qPrintable(told));
            QCOMPARE(TempDir::contents(aside), bytes);
        }
    }

    void nonFileNamedScoresDatIsNeverTouched()
    {
        TempDir dir;
        DiskFiles disk;
        QVERIFY(QDir().mkdir("Scores.dat"));
        FormFixture fx(&disk);
        fx.load();
        fx.close();
        QCOMPARE(fx.dialogs.shown.size(), 2); // at start, and again at the close
        for (const auto &box : fx.dialogs.shown)
            QVERIFY2(box.text.contains(dir.path()) && box.text.contains("не файл"),
                     qPrintable(box.text));
        QVERIFY(QFileInfo("Scores.dat").isDir());
        QCOMPARE(TempDir::entries(), QStringList{"Scores.dat"});
    }

    // Once the close has begun nothing of the round happens: no tick runs behind the notice of
    // a failed save, and the running round is not entered.
    void failedSaveIsToldWithTheRoundStopped()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.enterNick(QStringLiteral("Вася"));
        fx.click(f.Command2);
        fx.memoryFiles.files.clear();
        fx.memoryFiles.writeFailure = QStringLiteral("Не удалось записать: нет места.");
        fx.dialogs.shown.clear();
        fx.dialogs.whileOpen = [&fx](const FakeDialogs::Shown &) { fx.wait(20000); };
        fx.close();
        QCOMPARE(fx.dialogs.shown.size(), 1);
        QVERIFY(fx.dialogs.shown[0].text.startsWith(fx.memoryFiles.writeFailure));
        QCOMPARE(f.Label2->text(), QStringLiteral("Прошло времени: 00:00"));
        QVERIFY(fx.memoryFiles.files.isEmpty());
    }

    // A signal or the end of the session closes the window from outside: the table is saved,
    // no box appears, a dialog that is open gets no follow-up, and a result not yet entered is
    // not entered after the save.
    void closeFromOutsideSavesAndShowsNoMore_data()
    {
        QTest::addColumn<QString>("openDialog");
        QTest::newRow("nickname prompt") << "Ваш ник";
        QTest::newRow("exit question") << "Выход";
        QTest::newRow("game over box") << "Game Over";
    }
    void closeFromOutsideSavesAndShowsNoMore()
    {
        QFETCH(QString, openDialog);
        FormFixture fx;
        Form1 &f = fx.load();
        fx.memoryFiles.files.clear();
        fx.dialogs.promptAnswers = {QString()};
        fx.dialogs.whileOpen = [&](const FakeDialogs::Shown &box) {
            if (box.title == openDialog)
                f.closeQuietly();
        };
        if (openDialog == "Game Over") {
            fx.playRound(QStringLiteral("Вася"));
        } else {
            fx.click(openDialog == "Выход" ? f.Command3 : f.Command1);
        }
        QStringList titles;
        for (const auto &box : fx.dialogs.shown)
            titles << box.title;
        QCOMPARE(titles.last(), openDialog);
        QCOMPARE(titles.count(openDialog), 1);
        QVERIFY(fx.memoryFiles.files.contains("Scores.dat"));
        QCOMPARE(f.NameP[0]->text(), QStringLiteral("<Пусто>"));
        QVERIFY(!f.isVisible());
    }

    void failedCloseFromOutsideGoesToStandardError()
    {
        FormFixture fx;
        Form1 &f = fx.load();
        fx.memoryFiles.writeFailure = QStringLiteral("Не удалось записать: нет места.");
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression("^Не удалось записать: нет места.\n"));
        f.closeQuietly();
        QVERIFY(fx.dialogs.shown.isEmpty());
    }
};

QTEST_MAIN(TestScoreFile)
#include "tst_scorefile.moc"
