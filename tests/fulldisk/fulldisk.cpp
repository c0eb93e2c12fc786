// The table on a real full file system: fulldisk.sh makes a tiny tmpfs the temporary folder, in
// which the fixture's directory lies. A save that the disk refuses must leave the old file byte
// for byte and tell the player why, naming the folder.

#include "doubles/formfixture.h"

#include <QStorageInfo>

// Fills the fixture's tiny file system to its last byte.
static void fillDisk(const FormFixture &fx)
{
    QVERIFY2(QStorageInfo(fx.dir.path()).bytesTotal() <= 65536, "run through fulldisk.sh");
    QFile filler(fx.dir.filePath("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(4096, 'x')) > 0) { }
}

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskKeepsTheOldTable()
    {
        FormFixture fx;
        fx.load().close();
        const QByteArray before = fx.dir.contents("Scores.dat");
        fillDisk(fx);
        fx.load().close();
        QCOMPARE(fx.dir.contents("Scores.dat"), before);
        QCOMPARE(fx.dialogs.shown,
                 QStringList("Попадайка: Не удалось записать файл «Scores.dat» в папке «"
                             + fx.dir.path()
                             + "»: на диске нет свободного места.\nТаблица рекордов этого запуска "
                               "не сохранена; прежний файл, если он был, не изменился."));
    }

    // With no table yet, the first one cannot be written either: no empty file is left to be
    // called damaged at the next start, and the player hears the real reason twice.
    void fullDiskAtFirstStartLeavesNoEmptyTable()
    {
        FormFixture fx;
        fillDisk(fx);
        fx.load().close();
        QCOMPARE(fx.dir.entries(), QStringList("filler"));
        QCOMPARE(fx.dialogs.shown.filter("нет свободного места").size(), 2);
        QCOMPARE(fx.dialogs.shown.size(), 2);
    }
};

QTEST_MAIN(TestFullDisk)
#include "fulldisk.moc"
