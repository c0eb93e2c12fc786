#include "doubles/tempdir.h"
#include "platform/history.h"

#include <QTest>

#include <latch>
#include <thread>

// A round of `nick` with `hits` hits, each a millisecond slower than the one before.
static RoundRecord roundOf(const QString &nick, qint64 hits)
{
    const QDateTime at = QDateTime::fromMSecsSinceEpoch(hits * 1001, Qt::UTC);
    RoundRecord r{at, nick, 3, 7 * hits, hits, hits + 2, 41, 87.5, 14.25, hits % 2 == 1, {}};
    for (qint64 i = 0; i < hits; ++i)
        r.reactionMs.append(250 + i);
    return r;
}

class TestHistory : public QObject
{
    Q_OBJECT

private slots:
    // Reading makes no file nor folder. Another game writes at the same time, in a thread of its
    // own: every round lands, also after one that could not be written. Reaction times come for
    // the last three rounds of the nick only. A history that cannot be kept says why.
    void roundsComeBackAsAdded()
    {
        TempDir home; // so that no test touches a real history
        qputenv("XDG_DATA_HOME", home.path().toUtf8());
        const QString path = History::standardPath(),
                      nick = "😀\n<b>Я</b>&amp; " + QString(10'000, u'Ж');
        QList<RoundRecord> added{roundOf(nick, 3), roundOf(nick, 5), roundOf(nick, 0),
                                 roundOf(nick, 30)};
        History history(path);
        QVERIFY(history.rounds(nick).isEmpty() && history.nicknames().isEmpty()
                && history.problem().isEmpty());
        QVERIFY(!QFileInfo::exists(QFileInfo(path).path()));
        std::latch start(2); // both games make the file at once
        std::thread other([&] {
            History game(path);
            start.arrive_and_wait();
            for (int i = 0; i < 20; ++i)
                game.add(roundOf("other", i));
        });
        start.arrive_and_wait();
        const bool written = history.add(added[0]) && history.add(added[1]);
        other.join();
        QVERIFY(!history.add(roundOf({}, 1))); // refused (no name), and the next ones land
        QVERIFY(written && history.add(added[2]) && history.add(added[3]));
        added[0].reactionMs = {}; // not clear(): Qt 6.4 then compares a null pointer (UBSan)
        QCOMPARE(History(path).rounds(nick, 3), added);
        QCOMPARE(history.rounds("other", 0).size(), 20);
        QCOMPARE(history.nicknames(), QStringList({nick, "other"})); // the one played last first
        History blocked(path + "/history.sqlite"); // a file where its folder would be: told
        QVERIFY(!blocked.add(roundOf(nick, 1)) && blocked.problem().contains(path));
    }

    void fileAsFound_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("newer");
        TempDir dir;
        QVERIFY(History(dir.filePath("h")).add(roundOf("old", 3000)));
        QTest::newRow("not a database") << QByteArray(5000, 'Z') << false;
        QTest::newRow("a page damaged")
            << dir.contents("h").replace(8 * 4096, 8, QByteArray(8, '\xff')) << false;
        // Byte 63 is the low byte of user_version: 'c' makes it 99. The hits in a table of
        // another name, as a newer version may keep them.
        QTest::newRow("newer version")
            << dir.contents("h").replace(63, 1, "c").replace("hits", "hitz") << true;
    }
    // A damaged file is put aside under the first name of a thousand that is free, and a new
    // history begun; a newer version's is read as far as it can be and never written. Either is
    // told once on standard error, and to whoever asks first, and stays what is told.
    void fileAsFound()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, newer);
        TempDir dir;
        QVERIFY(dir.put("history.sqlite", bytes) && dir.put("history.sqlite.damaged", "earlier"));
        for (int n = 2; n < 1000; ++n)
            QVERIFY(dir.put("history.sqlite.damaged-" + QString::number(n), "earlier"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(newer ? "более новой" : "повреждён"));
        QTest::failOnWarning(QRegularExpression("."));
        History history(dir.filePath("history.sqlite"));
        const QString aside = newer ? "history.sqlite" : "history.sqlite.damaged-1000";
        QCOMPARE(history.add(roundOf("new", 1)) + history.add(roundOf("new", 2)), newer ? 0 : 2);
        const QString told = history.problem();
        QVERIFY(told.contains(newer ? "более новой версией" : dir.filePath(aside)));
        QCOMPARE(dir.contents(aside), bytes);
        QCOMPARE(history.nicknames(), QStringList{newer ? "old" : "new"});
        QVERIFY(history.rounds("old").isEmpty() && history.problem() == told);
    }
};

QTEST_GUILESS_MAIN(TestHistory)
#include "tst_history.moc"
