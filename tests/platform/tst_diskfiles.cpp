#include "doubles/tempdir.h"
#include "platform/diskfiles.h"

#include <QTest>

class TestDiskFiles : public QObject
{
    Q_OBJECT

private slots:
    // What a start clears away: a link goes as a link, never what it points to; a directory stays.
    void linksGoAsLinksAndDirectoriesStay()
    {
        TempDir dir;
        QVERIFY(dir.put("table", "kept") && QFile::link("table", dir.filePath("Scores.temp")));
        QVERIFY(QDir(dir.path()).mkdir("Scores.temp2"));
        DiskFiles files(dir.path());
        files.removeFileOrLink("Scores.temp");
        files.removeFileOrLink("Scores.temp2");
        QCOMPARE(dir.entries(), QStringList({"Scores.temp2", "table"}));
        QCOMPARE(dir.contents("table"), QByteArray("kept"));
    }
};

QTEST_GUILESS_MAIN(TestDiskFiles)
#include "tst_diskfiles.moc"
