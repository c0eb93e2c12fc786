// The table on a real full file system (a tiny tmpfs that fulldisk.sh mounts and names in
// FULL_DISK_DIR). A save that the disk refuses must leave the old file byte for byte and tell
// the player why, in Russian, naming the folder.

#include "doubles/formfixture.h"
#include "doubles/tempdir.h"
#include "platform/diskfiles.h"

#include <QLabel>
#include <QTest>

namespace {

// Fills the file system up to its last byte.
void fillDisk()
{
    QFile filler(QStringLiteral("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (filler.write(block) > 0) { }
}

} // namespace

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QString dir = qEnvironmentVariable("FULL_DISK_DIR");
        QVERIFY2(!dir.isEmpty() && QDir::setCurrent(dir), "run through fulldisk.sh");
    }
    void init()
    {
        for (const QString &name : TempDir::entries())
            QVERIFY(QFile::remove(name));
    }

    void fullDiskKeepsTheOldTable()
    {
        DiskFiles disk;
        {
            FormFixture fx(&disk);
            fx.load();
            fx.close();
        }
        const QByteArray before = TempDir::contents("Scores.dat");
        QVERIFY(before.size() > 1000);
        fillDisk();
        FormFixture fx(&disk);
        fx.load();
        fx.close();
        QCOMPARE(TempDir::contents("Scores.dat"), before);
        QCOMPARE(fx.dialogs.shown.size(), 1);
        const QString told = fx.dialogs.shown[0].text;
        QVERIFY2(told.contains("нет свободного места") && told.contains(QDir::currentPath()),
                 qPrintable(told));
    }

    void fullDiskAtFirstStartIsNoDamagedFile()
    {
        fillDisk();
        DiskFiles disk;
        FormFixture fx(&disk);
        QCOMPARE(fx.load().NameP[0]->text(), QStringLiteral("<Пусто>"));
        fx.close();
        QCOMPARE(fx.dialogs.shown.size(), 2); // the first table, and the table at the close
        for (const auto &box : fx.dialogs.shown)
            QVERIFY2(box.text.contains("нет свободного места"), qPrintable(box.text));
        QCOMPARE(TempDir::entries(), QStringList{"filler"});
    }
};

QTEST_MAIN(TestFullDisk)
#include "fulldisk.moc"
