// The table on a real full file system: fulldisk.sh makes a tiny tmpfs the temporary folder, in
// which the fixture's directory lies. A save that the disk refuses must leave the old file byte
// for byte and tell the player why, naming the folder.

#include "doubles/formfixture.h"

#include <QStorageInfo>

class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void fullDiskKeepsTheOldTable()
    {
        FormFixture fx;
        QVERIFY2(QStorageInfo(fx.dir.path()).bytesTotal() <= 65536, "run through fulldisk.sh");
        fx.load().close();
        const QByteArray before = fx.dir.contents("Scores.dat");
        QFile filler(fx.dir.filePath("filler"));
        QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        while (filler.write(QByteArray(4096, 'x')) > 0) { }
        fx.load().close();
        QCOMPARE(fx.dir.contents("Scores.dat"), before);
        QCOMPARE(fx.dialogs.shown,
                 QStringList("Попадайка: Не удалось записать файл «Scores.dat» в папке «"
                             + fx.dir.path()
                             + "»: на диске нет свободного места.\nТаблица рекордов этого запуска "
                               "не сохранена; прежний файл, если он был, не изменился."));
    }
};

QTEST_MAIN(TestFullDisk)
#include "fulldisk.moc"
