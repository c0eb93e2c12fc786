#include "doubles/diskfixture.h"
#include "platform/diskfiles.h"

#include <QtTest>

class TestDiskFiles : public QObject
{
    Q_OBJECT
    std::optional<QTemporaryDir> m_dir;
    DiskFiles m_files;

private slots:
    void init() { QVERIFY(m_dir.emplace().isValid() && QDir::setCurrent(m_dir->path())); }
    void kindAndRemovalTellFilesAndLinksFromDirectories_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<Files::Kind>("kind");
        QTest::addColumn<bool>("removed");
        QTest::newRow("file") << "file" << Files::Kind::File << true;
        QTest::newRow("link to file") << "target" << Files::Kind::File << true;
        QTest::newRow("dangling link") << "nowhere" << Files::Kind::Other << true;
        QTest::newRow("directory") << "directory" << Files::Kind::Other << false;
    }
    void kindAndRemovalTellFilesAndLinksFromDirectories()
    {
        QFETCH(QString, what);
        QVERIFY(put("target", "target bytes"));
        QVERIFY(what == "file"        ? put("entry", "entry bytes")
                : what == "directory" ? QDir().mkdir("entry")
                                      : QFile::link(what, "entry"));
        QTEST(m_files.kind("entry"), "kind");
        m_files.removeFileOrLink("entry");
        QTEST(!QFileInfo::exists("entry") && !QFileInfo("entry").isSymLink(), "removed");
        QCOMPARE(contents("target"), QByteArray("target bytes"));
    }
    void readStopsOneByteAfterTheCap()
    {
        QVERIFY(put("entry", "entry bytes") && !m_files.read("missing", 100));
        QCOMPARE(m_files.read("entry", 11), QByteArray("entry bytes"));
        QCOMPARE(m_files.read("entry", 4), QByteArray("entry"));
    }
    void renameAsideNeverOverwrites()
    {
        for (const QByteArray bytes : {"first", "second"}) {
            QVERIFY(put("Scores.dat", bytes));
            QVERIFY(m_files.renameAside("Scores.dat", ".damaged"));
        }
        QCOMPARE(contents("Scores.dat.damaged"), QByteArray("first"));
        QCOMPARE(contents("Scores.dat.damaged-2"), QByteArray("second"));
    }
};

QTEST_GUILESS_MAIN(TestDiskFiles)
#include "tst_diskfiles.moc"
