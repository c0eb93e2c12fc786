// A save that a read-only file or folder refuses names the one that refused and leaves the old
// table byte for byte. Root writes there anyway: nobody.sh runs this as an unprivileged user.

#include "doubles/tempdir.h"
#include "platform/diskfiles.h"

#include <QScopeGuard>
#include <QTest>

class TestReadOnly : public QObject
{
    Q_OBJECT

private slots:
    void refusalNamesWhoRefused_data()
    {
        QTest::addColumn<QString>("table");    // where the old table lies
        QTest::addColumn<QString>("readOnly"); // what is made read-only
        QTest::addColumn<QString>("told");     // "<>" stands for the temporary folder
        QTest::newRow("read-only file")
            << "player/Scores.dat"
            << "player/Scores.dat"
            << "Не удалось записать файл «Scores.dat» в папке «<>/player»: нет прав на запись в "
               "этот файл.";
        QTest::newRow("link into a read-only folder")
            << "other/real.dat"
            << "other"
            << "Не удалось создать файл «real.dat» в папке «<>/other» (на него указывает ссылка "
               "«Scores.dat» в папке «<>/player»): нет прав на запись в эту папку.";
        QTest::newRow("read-only folder")
            << "player/Scores.dat"
            << "player"
            << "Не удалось создать файл «Scores.dat» в папке «<>/player»: нет прав на запись в "
               "эту папку.";
    }
    void refusalNamesWhoRefused()
    {
        QFETCH(QString, table);
        QFETCH(QString, readOnly);
        QFETCH(QString, told);
        TempDir dir;
        QVERIFY(QDir(dir.path()).mkpath("player") && QDir(dir.path()).mkpath("other"));
        QVERIFY(dir.put(table, "old table"));
        if (!table.startsWith("player/"))
            QVERIFY(QFile::link("../" + table, dir.filePath("player/Scores.dat")));
        const QString locked = dir.filePath(readOnly);
        QVERIFY(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner));
        const auto unlock = qScopeGuard([&] {
            QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        });
        if (QFileInfo(locked).isWritable())
            QSKIP("this user writes to read-only files: run through nobody.sh");
        const auto message = DiskFiles(dir.filePath("player")).writeAtomically("Scores.dat", "new");
        QCOMPARE(message.value_or("<written>"), told.replace("<>", dir.path()));
        QCOMPARE(dir.contents(table), QByteArray("old table"));
    }
};

QTEST_GUILESS_MAIN(TestReadOnly)
#include "readonly.moc"
