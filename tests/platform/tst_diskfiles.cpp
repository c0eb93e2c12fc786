#include "doubles/tempdir.h"
#include "platform/diskfiles.h"

#include <QTest>

class TestDiskFiles : public QObject
{
    Q_OBJECT

private slots:
    // What a start clears away and puts aside: a link goes as a link, never what it points to; a
    // directory stays; a damaged file put aside never replaces one put aside before.
    void linksGoAsLinksAndNothingIsRenamedOver()
    {
        TempDir dir;
        QVERIFY(dir.put("Scores.dat.damaged", "first"));
        QVERIFY(dir.put("Scores.dat", "second"));
        QVERIFY(QFile::link("Scores.dat.damaged", dir.filePath("Scores.temp")));
        QVERIFY(QDir(dir.path()).mkdir("Scores.temp2"));
        DiskFiles files(dir.path());
        files.removeFileOrLink("Scores.temp");
        files.removeFileOrLink("Scores.temp2");
        const auto aside = files.renameAside("Scores.dat", ".damaged");
        QCOMPARE(aside.value_or("<not renamed>"), QStringLiteral("Scores.dat.damaged-2"));
        const QStringList left = {"Scores.dat.damaged", "Scores.dat.damaged-2", "Scores.temp2"};
        QCOMPARE(dir.entries(), left);
        QCOMPARE(dir.contents("Scores.dat.damaged"), QByteArray("first"));
    }
};

QTEST_GUILESS_MAIN(TestDiskFiles)
#include "tst_diskfiles.moc"
