#include "doubles/tempdir.h"
#include "platform/diskfiles.h"

#include <QTest>

class TestDiskFiles : public QObject
{
    Q_OBJECT

private slots:
    void kindOfEntry_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<Files::Kind>("kind");
        QTest::newRow("file") << "file" << Files::Kind::File;
        QTest::newRow("link to a file") << "link" << Files::Kind::File;
        QTest::newRow("dangling link") << "dangling" << Files::Kind::Other;
        QTest::newRow("directory") << "dir" << Files::Kind::Other;
    }
    void kindOfEntry()
    {
        QFETCH(QString, name);
        QFETCH(Files::Kind, kind);
        TempDir dir;
        QVERIFY(TempDir::put("file", "x"));
        QVERIFY(QFile::link("file", "link"));
        QVERIFY(QFile::link("gone", "dangling"));
        QVERIFY(QDir().mkdir("dir"));
        QCOMPARE(DiskFiles().kind(name), kind);
    }

    void removingTakesLinksNotTargetsAndLeavesDirectories()
    {
        TempDir dir;
        QVERIFY(TempDir::put("target", "x"));
        QVERIFY(QFile::link("target", "Scores.temp"));
        QVERIFY(QDir().mkdir("Scores.temp2"));
        DiskFiles files;
        files.removeFileOrLink("Scores.temp");
        files.removeFileOrLink("Scores.temp2");
        QCOMPARE(TempDir::entries(), QStringList({"Scores.temp2", "target"}));
    }

    void readingStopsOneByteAfterTheCap()
    {
        TempDir dir;
        QVERIFY(TempDir::put("Scores.dat", "abcdef"));
        QCOMPARE(DiskFiles().read("Scores.dat", 3).value_or("<unreadable>"), QByteArray("abcd"));
    }

    void renamingAsideNeverOverwrites()
    {
        TempDir dir;
        DiskFiles files;
        QVERIFY(TempDir::put("Scores.dat", "first"));
        QCOMPARE(files.renameAside("Scores.dat", ".damaged").value_or("<not renamed>"),
                 QStringLiteral("Scores.dat.damaged"));
        QVERIFY(TempDir::put("Scores.dat", "second"));
        QCOMPARE(files.renameAside("Scores.dat", ".damaged").value_or("<not renamed>"),
                 QStringLiteral("Scores.dat.damaged-2"));
        QCOMPARE(TempDir::contents("Scores.dat.damaged"), QByteArray("first"));
        QCOMPARE(TempDir::contents("Scores.dat.damaged-2"), QByteArray("second"));
    }

    void writingReplacesTheFileWhole()
    {
        TempDir dir;
        QVERIFY(TempDir::put("Scores.dat", "old table"));
        const auto failure = DiskFiles().writeAtomically("Scores.dat", "new");
        QVERIFY2(!failure, qPrintable(failure.value_or("")));
        QCOMPARE(TempDir::entries(), QStringList("Scores.dat"));
        QCOMPARE(TempDir::contents("Scores.dat"), QByteArray("new"));
    }

    void writeOverADirectorySaysWhereAndWhy()
    {
        TempDir dir;
        QVERIFY(QDir().mkdir("Scores.dat"));
        const QString folder = QDir::currentPath();
        const QString message = DiskFiles().writeAtomically("Scores.dat", "x").value_or("");
        QVERIFY2(message.contains(folder), qPrintable(message));
        QVERIFY2(message.contains("под этим именем лежит папка, а не файл"), qPrintable(message));
        QCOMPARE(TempDir::entries(), QStringList("Scores.dat"));
        QVERIFY(QDir("Scores.dat").isEmpty());
    }

    void writeInADeletedFolderSaysWhereAndWhy()
    {
        TempDir dir;
        QVERIFY(QDir().mkdir("game") && QDir::setCurrent("game"));
        const QString folder = QDir::currentPath();
        DiskFiles files;
        QCOMPARE(files.kind("Scores.dat"), Files::Kind::Missing); // the load at start looks first
        QVERIFY(QDir(dir.path()).rmdir("game"));
        const QString message = files.writeAtomically("Scores.dat", "x").value_or("");
        QVERIFY2(message.contains(folder), qPrintable(message));
        QVERIFY2(message.contains("этой папки больше нет"), qPrintable(message));
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    void fixedDirectoryStaysWhenCurrentMoves()
    {
        TempDir dir;
        DiskFiles fixed(dir.path());
        QVERIFY(QDir().mkdir("elsewhere") && QDir::setCurrent("elsewhere"));
        const auto failure = fixed.writeAtomically("Scores.dat", "x");
        QVERIFY2(!failure, qPrintable(failure.value_or("")));
        QCOMPARE(TempDir::entries(), QStringList());
        QVERIFY(QFile::exists(QDir(dir.path()).filePath("Scores.dat")));
    }
};

QTEST_GUILESS_MAIN(TestDiskFiles)
#include "tst_diskfiles.moc"
