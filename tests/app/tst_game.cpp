// The game as main() runs it: the real services, the real dialogs, the real main loop.

#include "app/game.h"
#include "doubles/tempdir.h"
#include "platform/diskfiles.h"

#include <QTest>
#include <QtWidgets>

#include <csignal>

class TestGame : public QObject
{
    Q_OBJECT

private slots:
    // F2 opens "Статистика", a window of its own; a second F2 shows the same window, which closes
    // with the game's.
    void f2OpensOneStatisticsWindowThatClosesWithTheGame()
    {
        TempDir dir;
        DiskFiles files(dir.path());
        Game game(files);
        game.form().show(); // F2 needs no table
        QTest::keyClick(game.form().windowHandle(), Qt::Key_F2);
        const QPointer<StatsWindow> shown = game.statistics();
        QTest::keyClick(game.form().windowHandle(), Qt::Key_F2);
        QVERIFY(shown && shown->isWindow() && shown->isVisible() && game.statistics() == shown);
        QCOMPARE(shown->windowTitle(), QStringLiteral("Статистика"));
        game.form().close();
        QVERIFY(!shown || !shown->isVisible());
    }

    // The game's own random numbers spread evenly over [0, 1), also when every draw follows a
    // reseed with one value, as the ticks within a second reseed.
    void randomNumbersSpreadEvenly()
    {
        MixingRandom random;
        QList<int> tenths(10);
        for (int i = 0; i < 10000; ++i) {
            random.reseed(23181);
            ++tenths[std::clamp(int(random.draw() * 10), 0, 9)];
        }
        QVERIFY(std::ranges::all_of(tenths, [](int n) { return n > 900 && n < 1100; }));
    }

    // The game as main() runs it, ended from outside: a signal during the notice of the load
    // ends it before any window shows and saves nothing (the labels hold no table yet), though an
    // earlier run's leftover plain text goes all the same; the end of the session, with a save
    // that fails, shows no box and tells standard error. Either way the program ends normally.
    void realGameEndsNormallyFromOutside_data()
    {
        QTest::addColumn<bool>("duringLoad");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("SIGTERM during the damaged-file notice")
            << true << QStringList("Scores.dat.damaged");
        QTest::newRow("end of the session, the save failing") << false << QStringList("Scores.dat");
    }
    void realGameEndsNormallyFromOutside()
    {
        QFETCH(bool, duringLoad);
        QFETCH(QStringList, entries);
        TempDir dir;
        DiskFiles files(dir.path());
        QVERIFY(!duringLoad || (dir.put("Scores.dat", "spoilt") && dir.put("Scores.temp", "")));
        QStringList boxes; // seen open
        bool ended = false;
        QTimer outside;
        QObject::connect(&outside, &QTimer::timeout, [&] {
            for (QWidget *window : QApplication::topLevelWidgets()) {
                if (!window->isVisible() || ended)
                    continue;
                if (auto *box = qobject_cast<QMessageBox *>(window)) {
                    boxes << box->text();
                    ended = duringLoad;
                    if (duringLoad)
                        std::raise(SIGTERM);
                    else
                        box->close();
                } else if (!duringLoad) {
                    ended = true;
                    // Not the end: the player turns to another window before it.
                    QApplicationStateChangeEvent away(Qt::ApplicationInactive);
                    QCoreApplication::sendEvent(qApp, &away);
                    QFile::remove(dir.filePath("Scores.dat"));
                    QDir(dir.path()).mkdir("Scores.dat");
                    QEvent quit(QEvent::Quit);
                    QCoreApplication::sendEvent(qApp, &quit);
                }
            }
        });
        outside.start(10);
        if (!duringLoad)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Не удалось создать файл"));
        QCOMPARE(runGame(*qApp, files), 0);
        QCOMPARE(boxes.size(), duringLoad ? 1 : 0); // the damaged-file notice, none at the close
        QCOMPARE(dir.entries(), entries);
    }
};

QTEST_MAIN(TestGame)
#include "tst_game.moc"
